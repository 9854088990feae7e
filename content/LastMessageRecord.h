#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The last title and message, kept between runs in "LastMsgText.txt":
// title, "###DiesIstDasTrennzeichen###", message.
struct LastMessage
{
    QString title;
    QString message; // line breaks as CR LF
};

// The record from a file's bytes: nothing only when they hold no separator.
// Behind a UTF-8 mark, bytes that are no UTF-8 read as U+FFFD, so a damaged
// file still shows what it can instead of being replaced unseen at the next
// save; without the mark, what is no UTF-8 is Windows-1252.
std::optional<LastMessage> decodeLastMessage(QByteArrayView bytes);

// Windows-1252 where that reads back unchanged, otherwise UTF-8 behind a
// byte-order mark.
QByteArray encodeLastMessage(const LastMessage &record);

QString lastMessagePath(const QString &folder);

// The file is written to saveFolder and read from there, or from otherFolder
// while saveFolder holds none. Beside the program comes first; the user's
// data folder takes over where the program was installed read-only.
struct LastMessageFolders
{
    QString saveFolder;
    QString otherFolder;
};

LastMessageFolders lastMessageFolders(
    const QString &programFolder, const QString &dataFolder, bool programFolderWritable);
