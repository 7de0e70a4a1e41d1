#include "roster/rostergrades.h"

int schoolYearOf(const QDate& today, int schoolYearStartMonth)
{
    return today.month() < schoolYearStartMonth ? today.year() - 1 : today.year();
}

QString rowGradeLabel(int gradeNo)
{
    if (gradeNo < -2)
        return QStringLiteral("幼-");
    if (gradeNo <= 0)
        return QStringLiteral("幼") + QString::number(gradeNo + 3);
    if (gradeNo <= 6)
        return QStringLiteral("小") + QString::number(gradeNo);
    if (gradeNo <= 9)
        return QStringLiteral("中") + QString::number(gradeNo - 6);
    if (gradeNo <= 12)
        return QStringLiteral("高") + QString::number(gradeNo - 9);
    return QStringLiteral("大+");
}

bool isKindergartenLabel(const QString& rowLabel)
{
    return rowLabel.startsWith(QStringLiteral("幼"));
}

QString fullWidthGradeLabel(int gradeNo)
{
    const auto fullWidthDigit = [](int digit) { return QString(QChar(0xFF10 + digit)); };
    if (gradeNo == 0)
        return QStringLiteral("幼") + fullWidthDigit(3);
    if (gradeNo >= 1 && gradeNo <= 6)
        return QStringLiteral("小") + fullWidthDigit(gradeNo);
    if (gradeNo >= 7 && gradeNo <= 9)
        return QStringLiteral("中") + fullWidthDigit(gradeNo - 6);
    if (gradeNo == 10)
        return QStringLiteral("高") + fullWidthDigit(1);
    return QString();
}
