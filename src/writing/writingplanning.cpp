#include "writing/writingdrill.h"

#include "core/fieldreader.h"
#include "drill/idiomtable.h"
#include "review/pupilstudy.h"
#include "review/reviewtexts.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

constexpr int kBoxes = 4;
constexpr int kMaxRange = 10;

int rangeOf(const IdiomTable& table, int line)
{
    const double number = FieldReader::leadingNumber(table.field(line, IdiomTable::Range));
    return number >= 1 && number <= kMaxRange ? static_cast<int>(number) : 0;
}

// Takes the idioms of the table's lines in the order given, while there is room.
class PlanFiller
{
public:
    PlanFiller(const IdiomTable& table, const StrokeTable& strokes)
        : m_table(table), m_strokes(strokes)
    {
    }

    bool full() const
    {
        return static_cast<int>(m_plan.questions.size()) == WritingPlanning::kMaxQuestions;
    }

    void take(int line)
    {
        const QString& idiom = m_table.field(line, IdiomTable::Idiom);
        if (full() || idiom.toUcs4().size() != kBoxes || m_taken.contains(idiom))
            return;
        m_taken.insert(idiom);
        if (WritingPlanning::writableKanji(idiom, m_strokes).isEmpty()) {
            ++m_plan.leftOut;
            return;
        }
        m_plan.questions.push_back({idiom, m_table.field(line, IdiomTable::Meaning),
                                    m_table.field(line, IdiomTable::Reading),
                                    rangeOf(m_table, line)});
    }

    WritingPlan plan() const { return m_plan; }

private:
    const IdiomTable& m_table;
    const StrokeTable& m_strokes;
    QSet<QString> m_taken; // an idiom on two lines is asked once
    WritingPlan m_plan;
};

} // namespace

namespace WritingPlanning {

WritingPlan plan(const IdiomTable& table, const PupilStudy& chosen, const PupilStudy& written,
                 const StrokeTable& strokes, const QDate& today)
{
    PlanFiller filler(table, strokes);
    // The idiom is its identity: a due idiom is found wherever the table has it now, and one that
    // has left the table cannot be asked.
    QHash<QString, int> lineOf;
    for (int line = table.idiomLineCount(); line >= 1; --line)
        lineOf.insert(table.field(line, IdiomTable::Idiom), line);
    for (const DueIdiom& due : written.due(today)) {
        const auto found = lineOf.constFind(due.memory->idiom);
        if (found != lineOf.constEnd())
            filler.take(*found);
    }

    // A range field that names no range puts its line after the ranges.
    std::vector<std::pair<int, int>> learned; // range, line
    for (int line = 1; line <= table.idiomLineCount(); ++line) {
        const QString& idiom = table.field(line, IdiomTable::Idiom);
        const IdiomMemory* tiles = chosen.find(idiom);
        if (tiles && tiles->due > today && !written.find(idiom)) {
            const int range = rangeOf(table, line);
            learned.emplace_back(range > 0 ? range : kMaxRange + 1, line);
        }
    }
    std::ranges::sort(learned);
    for (const auto& [range, line] : learned)
        filler.take(line);
    return filler.plan();
}

ReviewOffer offer(const WritingPlan& plan, const PupilStudy& written, const QDate& today)
{
    ReviewOffer offer;
    const int count = static_cast<int>(plan.questions.size());
    offer.caption = QStringLiteral("書き取り %1問").arg(count);
    offer.enabled = count > 0;
    if (count == 0) {
        const std::optional<QDate> next = written.nextDueAfter(today);
        offer.line = next ? QStringLiteral("次の書き取りは") + ReviewTexts::dateText(*next)
                          : QStringLiteral("テストで覚えた熟語が書き取りに出ます");
        return offer;
    }
    // Only due idioms of the plan have been written before.
    const int again = static_cast<int>(std::ranges::count_if(
        plan.questions, [&](const DrillQuestion& q) { return written.find(q.idiom); }));
    const QString review = QStringLiteral("書き取りの復習 %1問").arg(again);
    const QString fresh = QStringLiteral("はじめて書く熟語 %1問").arg(count - again);
    if (again == 0)
        offer.line = fresh;
    else if (again == count)
        offer.line = review;
    else
        offer.line = review + QStringLiteral("と、") + fresh;
    return offer;
}

QStringList writableKanji(const QString& idiom, const StrokeTable& strokes)
{
    QStringList kanji;
    for (const char32_t c : idiom.toUcs4()) {
        kanji.append(QString::fromUcs4(&c, 1));
        if (!strokes.strokes(kanji.back()))
            return {};
    }
    return kanji.size() == kBoxes ? kanji : QStringList();
}

QString leftOutNotice(const WritingPlan& plan)
{
    if (plan.leftOut == 0)
        return {};
    return QStringLiteral("書き順のデータがない漢字をふくむ熟語 %1問は、書き取りに出ません。")
        .arg(plan.leftOut);
}

} // namespace WritingPlanning
