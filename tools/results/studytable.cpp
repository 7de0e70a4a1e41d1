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

// The columns of one skill's state, headed with prefix: answers, lapses, stability, difficulty,
// today's recall probability, due date and 苦手.
QStringList stateHeadings(const QString& prefix)
{
    QStringList headings{QStringLiteral("回数"),         QStringLiteral("間違い"),
                         QStringLiteral("安定度（日）"), QStringLiteral("難しさ"),
                         QStringLiteral("今日の想起率"), QStringLiteral("次の復習"),
                         QStringLiteral("苦手")};
    for (QString& heading : headings)
        heading.prepend(prefix);
    return headings;
}

// An idiom never answered in the skill has no answers and no state.
QStringList stateFields(const IdiomMemory* memory, const QDate& today)
{
    QStringList fields{QString::number(memory ? memory->answers : 0),
                       QString::number(memory ? memory->lapses : 0)};
    if (!memory || memory->answers == 0)
        return fields << QString() << QString() << QString() << QString() << QString();
    return fields << QString::number(memory->memory.stability, 'f', 2)
                  << QString::number(memory->memory.difficulty, 'f', 2)
                  << QString::number(
                         Fsrs().recall(memory->memory, memory->lastAnswer.daysTo(today)), 'f', 3)
                  << memory->due.toString(Qt::ISODate)
                  << (memory->weak() ? QStringLiteral("苦手") : QString());
}

} // namespace

QStringList studyTableLines(const PupilStudy& choosing, const PupilStudy& writing,
                            const std::vector<MapIdiom>& idioms, const QDate& today, bool csv)
{
    // The writing columns come last, so that a reader of the columns before keeps them.
    QStringList lines{row(QStringList{QStringLiteral("熟語"), QStringLiteral("範囲")}
                              << stateHeadings(QString())
                              << stateHeadings(QStringLiteral("書き取り")),
                          csv)};

    QStringList ordered;
    QSet<QString> listed;
    const auto list = [&](const QString& idiom) {
        if (!listed.contains(idiom)) {
            ordered << idiom;
            listed.insert(idiom);
        }
    };
    for (const MapIdiom& idiom : idioms) {
        if (choosing.find(idiom.idiom) || writing.find(idiom.idiom))
            list(idiom.idiom);
    }
    for (const PupilStudy* study : {&choosing, &writing}) {
        for (const IdiomMemory* memory : study->idioms())
            list(memory->idiom);
    }
    for (const QString& idiom : ordered) {
        const IdiomMemory* chosen = choosing.find(idiom);
        const IdiomMemory* written = writing.find(idiom);
        lines << row(QStringList{idiom, QString::number((chosen ? chosen : written)->range)}
                         << stateFields(chosen, today) << stateFields(written, today),
                     csv);
    }
    return lines;
}
