#include "main_window/LastMsgStore.h"

QString lastMessagePath(const QString &programFolder)
{
    return programFolder + QStringLiteral("/LastMsgText.txt");
}

std::optional<LastMessage> readLastMessage(const QString &)
{
    return std::nullopt;
}

bool writeLastMessage(const QString &, const LastMessage &, QString &)
{
    return true;
}
