#pragma once

#include "platform/status.h"

#include <QString>

#include <vector>

// The idioms of all ranges, as read from the scrambled companion file: texts by line
// (1..1000) and field (1..100); field 1 range, 2 idiom, 3 reading, 4 meaning. Index 0 of
// either stays empty.
class IdiomTable
{
public:
    static constexpr int kMaxLines = 1000;
    static constexpr int kMaxFields = 100;
    enum Field { Range = 1, Idiom = 2, Reading = 3, Meaning = 4 };

    IdiomTable();

    // Field f of line n; an empty text outside 0..1000 / 0..100.
    const QString& field(int line, int field) const;
    // The number of lines of the last load; readers look at lines 1..idiomLineCount() only.
    int idiomLineCount() const { return m_idiomLineCount; }

    // dataFileName is the full path of the plain data file (programFolder + "四字02.CSV");
    // the companion file read is its name without the extension followed by "vv.ccc".
    // A fault (missing file, more than 1000 lines, a short line, no end marker, more than
    // 100 fields) returns a failure whose message names the companion file.
    Status loadIdiomTable(const QString& dataFileName);

private:
    std::vector<QString> m_cells; // (kMaxLines + 1) x (kMaxFields + 1)
    int m_idiomLineCount = 0;
};

// The companion file's path for a plain data file name.
QString companionFileName(const QString& dataFileName);

inline const QString kIdiomDataFileName = QStringLiteral("四字02.CSV");
