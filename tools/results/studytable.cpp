#include "studytable.h"

#include "resultexport.h"

#include <QSet>

namespace {

// The idiom as a table cell. Its four units come from the log as they stand, so a damaged or
// forged record could hold a line break or a tab that would split the row.
QString tableCell(QString idiom)
{
    for (QChar& c : idiom) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph)
            c = u'?';
    }
    return idiom;
}

// The first field is the idiom; the others are numbers, dates and the tool's own words, which
// need neither quoting nor the spreadsheet guard.
QString row(QStringList fields, bool csv)
{
    fields.first() = csv ? QString::fromUtf8(csvField(fields.first())) : tableCell(fields.first());
    return fields.join(csv ? u',' : u'\t');
}

} // namespace

QStringList studyTableLines(const PupilStudy& study, const std::vector<MapIdiom>& idioms,
                            const QDate& today, bool csv)
{
    QStringList lines{
        row({QStringLiteral("熟語"), QStringLiteral("範囲"), QStringLiteral("回数"),
             QStringLiteral("間違い"), QStringLiteral("安定度（日）"), QStringLiteral("難しさ"),
             QStringLiteral("今日の想起率"), QStringLiteral("次の復習"), QStringLiteral("苦手")},
            csv)};
    std::vector<const IdiomMemory*> ordered;
    QSet<QString> listed;
    for (const MapIdiom& idiom : idioms) {
        const IdiomMemory* memory = study.find(idiom.idiom);
        if (memory && !listed.contains(idiom.idiom)) {
            ordered.push_back(memory);
            listed.insert(idiom.idiom);
        }
    }
    for (const IdiomMemory* memory : study.idioms()) {
        if (!listed.contains(memory->idiom))
            ordered.push_back(memory);
    }
    const Fsrs fsrs;
    for (const IdiomMemory* memory : ordered) {
        const bool graded = memory->answers > 0;
        lines << row(
            {memory->idiom, QString::number(memory->range), QString::number(memory->answers),
             QString::number(memory->lapses),
             graded ? QString::number(memory->memory.stability, 'f', 2) : QString(),
             graded ? QString::number(memory->memory.difficulty, 'f', 2) : QString(),
             graded ? QString::number(fsrs.recall(memory->memory, memory->lastAnswer.daysTo(today)),
                                      'f', 3)
                    : QString(),
             graded ? memory->due.toString(Qt::ISODate) : QString(),
             memory->weak() ? QStringLiteral("苦手") : QString()},
            csv);
    }
    return lines;
}
