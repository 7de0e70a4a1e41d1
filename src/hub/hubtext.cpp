#include "hub/hubtext.h"

namespace HubText {

QString lastChars(const QString& text, int n)
{
    return text.size() <= n ? text : text.right(n);
}

QString withLeadingBlank(qint64 value)
{
    const QString digits = QString::number(value);
    return value >= 0 ? u' ' + digits : digits;
}

QString rightAligned(qint64 value, int width)
{
    return lastChars(QString(width, u' ') + QString::number(value), width);
}

QString nameColumn(const QString& name)
{
    constexpr int kWidth = 5;
    return (name + QString(kWidth, QChar(0x3000))).left(kWidth);
}

QString rankColumn(int rank)
{
    return lastChars(withLeadingBlank(rank), 2);
}

QString resultColumn(qint32 seconds)
{
    return lastChars(QStringLiteral("     ") + QString::number(seconds) + QStringLiteral("秒"), 5);
}

QString withoutTrailingBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end);
}

} // namespace HubText
