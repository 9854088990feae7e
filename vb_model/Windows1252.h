#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringView>

#include <optional>

// Windows-1252, the ANSI code page of German Windows, by a table of our own:
// Qt without ICU, as Qt for Windows is built, has no converter for it.
// The five bytes the code page leaves unassigned (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) stand for the C1 controls of the same code, as Windows maps them, so
// every byte has a character and every such character its byte.
namespace quillon::model {

QChar windows1252Char(unsigned char byte);

QString decodeWindows1252(QByteArrayView bytes);

// Nothing when a character has no byte in the code page.
std::optional<QByteArray> encodeWindows1252(QStringView text);

} // namespace quillon::model
