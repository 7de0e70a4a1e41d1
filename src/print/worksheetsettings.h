#pragma once

#include <QString>

#include <array>

class WorksheetIdioms;
class MessageBox;
class RandomSource;
class Worksheet;

// What the print settings screen shows and does on the logic's behalf.
class WorksheetSettingsView
{
public:
    virtual ~WorksheetSettingsView() = default;
    // Levels indexed 0..9 for "1".."10"; option 1..5; the shuffle box.
    virtual void showChoices(const std::array<bool, 10>& levels, int option, bool shuffle) = 0;
    virtual void openPrintScreen() = 0;
    virtual void closeScreen() = 0;
    // The table was built anew: an open print screen must show it at once.
    virtual void worksheetRebuilt() = 0;
};

// The print settings: which levels, how many blanks, whether to shuffle. Every change rebuilds
// the worksheet table at once, so the table always matches what the screen shows.
class WorksheetSettings
{
public:
    static constexpr int kLevelCount = 10;
    static constexpr int kPrintedRows = 20;
    enum Option { AnswerSheet = 1, OneBlank, TwoBlanks, ThreeBlanks, FourBlanks };

    WorksheetSettings(Worksheet& worksheet, WorksheetIdioms& idioms, RandomSource& random,
                      MessageBox& messages);
    void setView(WorksheetSettingsView* view) { m_view = view; }

    void load();
    void setSelectedLevels(const std::array<bool, kLevelCount>& levels);
    void chooseOption(int option);
    void setShuffle(bool shuffle);
    void rebuild() { buildWorksheetTable(); }
    void goToPrint();
    void back();

    void buildWorksheetTable();

    const std::array<bool, kLevelCount>& selectedLevels() const { return m_levels; }
    int option() const { return m_option; }
    bool shuffle() const { return m_shuffle; }
    int selectedCount() const { return m_selectedCount; }

private:
    int takeSelectedIdioms();
    void shuffleRows();
    void blankCharacters(int rounds);
    int drawRow();
    void finishLayout(int columnCount);

    Worksheet& m_worksheet;
    WorksheetIdioms& m_idioms;
    RandomSource& m_random;
    MessageBox& m_messages;
    WorksheetSettingsView* m_view = nullptr;

    std::array<bool, kLevelCount> m_levels{};
    int m_option = AnswerSheet;
    bool m_shuffle = true;
    int m_selectedCount = 0;
    bool m_idiomsLoaded = false;
    QString m_loadFailure;
};
