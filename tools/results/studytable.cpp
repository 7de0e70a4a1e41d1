#include "studytable.h"

#include "resultexport.h"

#include <QSet>

namespace {

QString row(const QStringList& fields, bool csv)
{
    if (!csv)
        return fields.join(u'\t');
    QStringList quoted;
    for (const QString& field : fields)
        quoted << QString::fromUtf8(csvField(field));
    return quoted.join(u',');
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
