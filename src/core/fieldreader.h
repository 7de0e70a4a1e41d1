#pragma once

#include <QByteArray>
#include <QString>

// The one reader of all sequential text files: values separated by commas or line ends,
// double-quoted values that may hold commas, text in the Windows Japanese code page.
class FieldReader
{
public:
    explicit FieldReader(const QByteArray& fileBytes);

    // Reads the whole file; false when it cannot be opened.
    static bool open(const QString& path, FieldReader& reader);

    bool atEnd() const;
    // The next value; sets pastEnd() instead when no value is left.
    QString readValue();
    bool pastEnd() const { return m_pastEnd; }

    // The leading decimal number of a text (after leading spaces: sign, digits, point,
    // digits); 0 for text that does not begin with a number.
    static double leadingNumber(const QString& text);

private:
    // The text of a file up to its end-of-file mark, in the code page, or in UTF-8 when it
    // starts with the UTF-8 mark.
    static QString decodeFile(const QByteArray& fileBytes);
    void skipBlanks();
    void skipSeparator();

    QString m_text;
    qsizetype m_pos = 0;
    // A comma promises one more value, even when only line ends or the file's end follow it.
    bool m_valueAfterComma = false;
    bool m_pastEnd = false;
};
