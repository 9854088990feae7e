#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The files of a folder and of the folders in it that `wanted` takes by
// name, as formatters walk a project: sorted by path, so that every run
// goes the same way; hidden files and folders, and folders behind a link,
// left out.
QStringList filesInFolder(const QString &folder, bool (*wanted)(QStringView fileName));
