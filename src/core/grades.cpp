#include "core/grades.h"

#include <QStringList>

QString gradeMark(int gradeNo)
{
    static const QStringList marks = {QStringLiteral("①"), QStringLiteral("②"),
                                      QStringLiteral("③"), QStringLiteral("④"),
                                      QStringLiteral("⑤"), QStringLiteral("⑥"),
                                      QStringLiteral("Ⅰ"),  QStringLiteral("Ⅱ"),
                                      QStringLiteral("Ⅲ")};
    if (gradeNo >= 1 && gradeNo <= marks.size())
        return marks.at(gradeNo - 1);
    return QStringLiteral("　");
}

int gradeMatchesFilter(int gradeNo, const QString& filterText)
{
    static const QStringList singleGrades = {
        QStringLiteral("小１"), QStringLiteral("小２"), QStringLiteral("小３"),
        QStringLiteral("小４"), QStringLiteral("小５"), QStringLiteral("小６"),
        QStringLiteral("中１"), QStringLiteral("中２"), QStringLiteral("中３")};
    if (filterText == QStringLiteral("全学年") || filterText == QStringLiteral("家族"))
        return 1;
    if (filterText == QStringLiteral("小学生全体"))
        return gradeNo >= 1 && gradeNo <= 6 ? 1 : 0;
    if (filterText == QStringLiteral("中学生全体"))
        return gradeNo >= 7 && gradeNo <= 9 ? 1 : 0;
    const qsizetype single = singleGrades.indexOf(filterText);
    return single >= 0 && gradeNo == single + 1 ? 1 : 0;
}
