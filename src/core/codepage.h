#pragma once

#include <QByteArray>
#include <QString>

// The Windows Japanese code page, in which every settings file, list file and record text is
// stored. Other programs of the family read the same files, so nothing else may be written.
namespace CodePage {

// False when this Qt build has no converter for the code page; start-up refuses to run then.
bool isAvailable();

QString decode(const QByteArray& bytes);

// Encodes text; *ok becomes false when a character has no place in the code page.
QByteArray encode(const QString& text, bool* ok = nullptr);

} // namespace CodePage
