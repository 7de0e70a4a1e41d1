#pragma once

#include "print/pagetarget.h"
#include "print/printdevices.h"
#include "print/worksheetidioms.h"

#include <QList>
#include <QStringList>

#include <map>
#include <memory>
#include <random>
#include <vector>

#include "platform/randomsource.h"

// Idiom records held in memory: range, idiom, reading, meaning.
class FakeIdioms : public WorksheetIdioms
{
public:
    Status load() override
    {
        ++loads;
        return loadResult;
    }
    int idiomLineCount() const override { return static_cast<int>(records.size()); }
    QString field(int line, int field) const override
    {
        if (line < 1 || line > idiomLineCount() || field < 1 || field > 4)
            return {};
        return records[static_cast<size_t>(line - 1)].value(field - 1);
    }
    void add(int range, const QString& idiom, const QString& reading, const QString& meaning)
    {
        records.push_back({QString::number(range), idiom, reading, meaning});
    }

    std::vector<QStringList> records;
    Status loadResult;
    int loads = 0;
};

// A generator that is random enough for shuffles and blanks, and the same in every run.
class SeededRandom : public RandomSource
{
public:
    explicit SeededRandom(unsigned seed = 7) : m_engine(seed) {}
    double nextUnit() override { return m_unit(m_engine); }

private:
    std::mt19937 m_engine;
    std::uniform_real_distribution<double> m_unit{0.0, 1.0};
};

// Keeps every drawing call in page coordinates.
class RecordingTarget : public PageTarget
{
public:
    struct Rule
    {
        QPointF from;
        QPointF to;
    };
    struct Text
    {
        QStringList lines;
        QPointF topLeft;
        int pointSize;
    };
    void clearPage() override
    {
        ++clears;
        rules.clear();
        texts.clear();
    }
    void drawRule(QPointF from, QPointF to, double) override { rules.append({from, to}); }
    void drawTextLines(const QStringList& lines, QPointF topLeft, int pointSize) override
    {
        texts.append({lines, topLeft, pointSize});
    }
    QList<Rule> verticalRules() const
    {
        QList<Rule> found;
        for (const Rule& rule : rules)
            if (rule.from.x() == rule.to.x())
                found.append(rule);
        return found;
    }
    QList<Rule> horizontalRules() const
    {
        QList<Rule> found;
        for (const Rule& rule : rules)
            if (rule.from.y() == rule.to.y())
                found.append(rule);
        return found;
    }
    const Text* textStartingWith(const QString& start) const
    {
        for (const Text& text : texts)
            if (!text.lines.isEmpty() && text.lines.first().startsWith(start))
                return &text;
        return nullptr;
    }

    QList<Rule> rules;
    QList<Text> texts;
    int clears = 0;
};

// Every character is as wide as a line is tall: size * 10 page units.
class FakeMeasure : public TextMeasure
{
public:
    QStringList breakLines(const QString& text, double width, int pointSize) const override
    {
        const auto perLine =
            std::max<qsizetype>(1, static_cast<qsizetype>(width / (pointSize * 10)));
        QStringList lines;
        for (qsizetype at = 0; at < text.size(); at += perLine)
            lines << text.mid(at, perLine);
        return lines;
    }
    double lineHeight(int pointSize) const override { return pointSize * 10.0; }
};

// A printer and PDF files that keep what was drawn on them.
class FakePrintDevices : public PrintDevices
{
public:
    struct Document : PageDocument
    {
        Document(FakePrintDevices& owner, QString name) : owner(owner), name(std::move(name)) {}
        ~Document() override
        {
            if (!finished)
                owner.log << name + QStringLiteral(" discarded");
        }
        PageTarget& page() override { return owner.pages[name]; }
        bool finish() override
        {
            finished = true;
            owner.log << name + QStringLiteral(" finished");
            return owner.finishResult;
        }
        FakePrintDevices& owner;
        QString name;
        bool finished = false;
    };

    bool printerInstalled() const override { return installed; }
    std::unique_ptr<PageDocument> startPrinterDocument(bool portrait, int setting) override
    {
        log << QStringLiteral("printer %1 copies %2")
                   .arg(portrait ? QStringLiteral("portrait") : QStringLiteral("landscape"))
                   .arg(setting);
        if (!startResult)
            return nullptr;
        pages[QStringLiteral("printer")] = {};
        return std::make_unique<Document>(*this, QStringLiteral("printer"));
    }
    std::unique_ptr<PageDocument> startPdfDocument(const QString& path, bool) override
    {
        log << QStringLiteral("pdf ") + path;
        if (!startResult)
            return nullptr;
        pages[path] = {};
        return std::make_unique<Document>(*this, path);
    }
    const TextMeasure& textMeasure(bool) const override { return measure; }

    bool installed = true;
    bool startResult = true;
    bool finishResult = true;
    QStringList log;
    std::map<QString, RecordingTarget> pages;
    FakeMeasure measure;
};
