#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The Windows Japanese code page, in which every settings file, list file and record text is
// stored. Other programs of the family read the same files, so nothing else may be written.
namespace CodePage {

// False when this Qt build has no converter for the code page; start-up refuses to run then.
bool isAvailable();

// Bytes 0x00 to 0x7F are the characters U+0000 to U+007F in both directions.
QString decode(QByteArrayView bytes);

// Encodes text; *ok becomes false when a character has no place in the code page.
QByteArray encode(const QString& text, bool* ok = nullptr);

// The bytes of a text file before its end-of-file mark: older editors end a file with Ctrl-Z
// (0x1A), and the sequential readers of the family stop at it. It never occurs inside a
// double-byte character, nor in UTF-8.
QByteArrayView textFileBytes(QByteArrayView fileBytes);

} // namespace CodePage
