#pragma once

#include <QString>

#include <optional>

// The last title and message, kept between runs in "LastMsgText.txt" beside
// the program: title, "###DiesIstDasTrennzeichen###", message.
struct LastMessage
{
    QString title;
    QString message; // line breaks as CR LF
};

QString lastMessagePath(const QString &programFolder);

// The stored record, or nothing when there is no usable file.
std::optional<LastMessage> readLastMessage(const QString &filePath);

// Replaces the file as a whole. On failure returns false and a one-line
// description in errorText; the previous file is then left as it was.
bool writeLastMessage(const QString &filePath, const LastMessage &record, QString &errorText);
