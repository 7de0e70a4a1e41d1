#include "core/fieldreader.h"

#include "core/codepage.h"

#include <QFile>

namespace {
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}
bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}
} // namespace

FieldReader::FieldReader(const QByteArray& fileBytes) : m_text(decodeFile(fileBytes)) {}

QString FieldReader::decodeFile(const QByteArray& fileBytes)
{
    // An editor that saved the file as UTF-8 marks it so; the code page has no such mark.
    static const QByteArray utf8Mark("\xEF\xBB\xBF");
    const QByteArrayView text = CodePage::textFileBytes(fileBytes);
    if (text.startsWith(utf8Mark))
        return QString::fromUtf8(text.sliced(utf8Mark.size()));
    return CodePage::decode(text);
}

bool FieldReader::open(const QString& path, FieldReader& reader)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    reader = FieldReader(file.readAll());
    return true;
}

bool FieldReader::atEnd() const
{
    if (m_valueAfterComma)
        return false;
    // Trailing blanks and line ends hold no further value.
    for (qsizetype i = m_pos; i < m_text.size(); ++i) {
        const QChar c = m_text.at(i);
        if (!isBlank(c) && !isLineEnd(c))
            return false;
    }
    return true;
}

void FieldReader::skipBlanks()
{
    while (m_pos < m_text.size() && isBlank(m_text.at(m_pos)))
        ++m_pos;
}

void FieldReader::skipSeparator()
{
    skipBlanks();
    m_valueAfterComma = false;
    if (m_pos >= m_text.size())
        return;
    const QChar c = m_text.at(m_pos);
    if (c == u',') {
        ++m_pos;
        m_valueAfterComma = true;
    } else if (c == u'\r') {
        ++m_pos;
        if (m_pos < m_text.size() && m_text.at(m_pos) == u'\n')
            ++m_pos;
    } else if (c == u'\n') {
        ++m_pos;
    }
}

QString FieldReader::readValue()
{
    if (atEnd()) {
        m_pastEnd = true;
        return {};
    }
    // A line end left over from the previous value ends no value of its own.
    skipBlanks();
    QString value;
    if (m_pos < m_text.size() && m_text.at(m_pos) == u'"') {
        const qsizetype close = m_text.indexOf(u'"', m_pos + 1);
        const qsizetype end = close < 0 ? m_text.size() : close;
        value = m_text.mid(m_pos + 1, end - m_pos - 1);
        m_pos = close < 0 ? end : close + 1;
        // Anything between the closing quote and the separator is dropped.
        while (m_pos < m_text.size() && m_text.at(m_pos) != u',' && !isLineEnd(m_text.at(m_pos)))
            ++m_pos;
    } else {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && m_text.at(m_pos) != u',' && !isLineEnd(m_text.at(m_pos)))
            ++m_pos;
        value = m_text.mid(start, m_pos - start);
        qsizetype keep = value.size();
        while (keep > 0 && isBlank(value.at(keep - 1)))
            --keep;
        value.truncate(keep);
    }
    skipSeparator();
    return value;
}

double FieldReader::leadingNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == u' ')
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    const qsizetype digitsStart = i;
    while (i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9')
        ++i;
    bool anyDigit = i > digitsStart;
    if (i < text.size() && text.at(i) == u'.') {
        const qsizetype fractionStart = ++i;
        while (i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9')
            ++i;
        anyDigit = anyDigit || i > fractionStart;
    }
    if (!anyDigit)
        return 0.0;
    bool ok = false;
    const double value = text.mid(start, i - start).toDouble(&ok);
    return ok ? value : 0.0;
}
