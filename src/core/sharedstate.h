#pragma once

#include "core/itemtables.h"

#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <vector>

// A value per pupil number (or per list position), indexed 0..5000; index 0 holds nothing.
// Access is checked like the item tables. Kept on the heap: the shared state may live on a
// stack.
template <typename T>
class PupilTable
{
public:
    PupilTable() : m_values(kMaxPupilNo + 1) {}
    T& operator[](int pupil) { return m_values.at(static_cast<size_t>(pupil)); }
    const T& operator[](int pupil) const { return m_values.at(static_cast<size_t>(pupil)); }
    void fill(const T& value) { std::fill(m_values.begin(), m_values.end(), value); }

private:
    std::vector<T> m_values;
};

// Flags of one drill run. A new run starts with all of them cleared.
struct DrillRunFlags
{
    bool timeOver = false;    // the clock reached the limit
    bool drillEnding = false; // the drill is being finished; a second finish is refused
    bool answerLocked = false; // an answer is being judged
    bool nextLocked = false;   // "次へ" was pressed for this question
};

// The values that all screens share: folders, settings, the per-item time table, the
// catalogue, who practises which item, and the last result. One instance is made at start
// and handed to every screen; screens pass values to each other only through it.
struct SharedState
{
    // Folders; each ends with "/".
    QString programFolder;
    QString programFolderName;
    QString commonFolder;
    QString dataFolder;
    QString soundFolder;
    int layoutFlag = 0;

    quint32 accentColour = 0x808000; // blue-green-red byte order
    qint16 homeEdition = 1;
    qint16 printEnabled = 1;
    qint16 errorTrapMode = 0;

    // 共通データ.txt
    int schoolYearStartMonth = 0;
    QString schoolName;
    QString schoolCode; // five characters, or empty
    int commonOption3 = 0;
    QString commonOption4;
    std::array<QString, 7> commonExtra; // 1..6

    // タイム回数データ.txt, indexed by item.
    ItemTable<qint32> itemTargetTime;
    ItemTable<qint32> itemLimitTime;
    ItemTable<qint32> itemRequiredScore;
    ItemTable<qint16> itemRequiredCount;
    ItemTable<float> itemField5;
    ItemTable<QString> itemText6;
    ItemTable<QString> itemText7;
    ItemTable<QString> itemText8;
    ItemTable<QString> itemText9;
    ItemTable<QString> itemText10;
    ItemTable<QString> itemText11;
    ItemTable<QString> itemText12;

    // The catalogue.
    QString contentName;
    qint16 itemCount = 0;
    qint16 finalItemNo = 0;
    // 1 when the pupil has recently mastered the final item; computed by the hub, read by the
    // finish screen.
    qint16 finalItemCleared = 0;
    // The item in the hub's leftmost visible column; it outlives the hub.
    int firstVisibleColumn = 0;
    ItemTable<QString> itemName;
    ItemTable<qint16> itemKind;

    // Who practises what.
    qint16 pupilNo = 0;
    QString pupilName;
    QString currentGradeLabel;
    qint32 pupilStartTime = 0;
    QString gradeFilterText;
    qint16 drillItemNo = 0;
    // The drill screen runs a review of the pupil's due idioms instead of drillItemNo.
    bool reviewDrill = false;
    qint32 drillResult = 0;

    // Set by the result recorder, read by the finish screen.
    qint16 newPersonalBest = 0;
    qint16 newOverallBest = 0;
    qint16 itemMastered = 0;

    DrillRunFlags drillRun;

    // The roster tables, filled by the roster readers and read by the hub, the rankings and
    // the finish screen after the name selection screen has been unloaded.
    PupilTable<QString> pupilNameByNo;  // name screen: the 20-character field; hub: trimmed
    PupilTable<qint16> birthYearByNo;
    PupilTable<QString> gradeLabelByNo; // full-width, "小１"
    PupilTable<qint16> pupilNoByLine;   // listed pupils in file order, 1..listedPupilCount
    qint16 listedPupilCount = 0;
    int schoolYear = 0;
};
