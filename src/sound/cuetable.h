#pragma once

#include "platform/status.h"

#include <QString>

#include <array>

// The named sound cues and their alternative files, as read from 新音ファイル.txt.
// Column e = 1..10 is a cue; row 0 holds its name, rows 1..20 its file names (without folder
// and ".wav"), row 21 the number of files as text (empty when the cue is not in the list).
class CueTable
{
public:
    static constexpr int kCueCount = 10;
    static constexpr int kFileRows = 20;
    static constexpr int kCountRow = 21;

    enum Cue {
        Correct1 = 1,
        Correct2,
        Wrong1,
        Wrong2,
        Top1,
        Top2,
        PersonalBest1,
        PersonalBest2,
        PersonalBest3,
        Fail1
    };

    CueTable();

    // Reads the list file: blocks of a cue name, its file names and a closing "*". At most
    // twenty values after the name belong to the block; values outside a block are skipped.
    Status load(const QString& listFilePath);

    const QString& name(int cue) const { return cell(cue, 0); }
    const QString& fileName(int cue, int row) const { return cell(cue, row); }
    const QString& countText(int cue) const { return cell(cue, kCountRow); }

    // A file of the cue picked with a random number r in [0, 1): index Int(r × n + 1), where n
    // is the count; row 1 when the count is 0 or empty.
    const QString& pickFile(int cue, double r) const;

private:
    const QString& cell(int cue, int row) const;
    void clearFiles();

    std::array<std::array<QString, kCountRow + 1>, kCueCount + 1> m_cells;
};

inline const QString kCueListFileName = QStringLiteral("新音ファイル.txt");
