#pragma once

#include <QString>

// Replaces every occurrence of OldString in sText by NewString in one
// left-to-right pass: exact, case-sensitive, without overlaps, and without
// rescanning what was inserted. An empty OldString leaves sText unchanged.
QString StringReplace(const QString &sText, const QString &OldString, const QString &NewString);
