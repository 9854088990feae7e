#pragma once

#include "content/LastMessageRecord.h"

#include <QString>

#include <optional>

// The last message's file on disk, in the folders of LastMessageFolders.

// The folders, trying whether a file can be made in the program's folder.
LastMessageFolders lastMessageFolders(const QString &programFolder, const QString &dataFolder);

std::optional<LastMessage> loadLastMessage(const LastMessageFolders &folders);
// Saves in saveFolder, made when needed, or in otherFolder where that
// fails; fails as writeLastMessage does, with the error of saveFolder.
bool saveLastMessage(
    const LastMessageFolders &folders, const LastMessage &record, QString &errorText);

// The stored record, or nothing when there is no usable file.
std::optional<LastMessage> readLastMessage(const QString &filePath);

// Replaces the file as a whole. On failure returns false and a one-line
// description in errorText; the previous file is then left as it was.
bool writeLastMessage(const QString &filePath, const LastMessage &record, QString &errorText);
