#pragma once

#include <QString>

#include <array>

struct SharedState;
class MessageBox;
class ScreenNavigator;

// What the roster edit dialog shows: the names (without the padding of their 20-character
// fields) and birth years of the first three roster lines. Boxes of lines the roster does not have
// stay empty and cannot be edited.
struct RosterBoxes
{
    static constexpr int kLines = 3;
    std::array<QString, kLines + 1> names;      // 1..3
    std::array<QString, kLines + 1> birthYears; // 1..3
    int lineCount = 0;                          // roster lines that have boxes, 0..3
};

// The logic of the roster edit dialog: changes the names and birth years of the first three
// roster lines and nothing else. The roster is rewritten only when every line of it could be
// read and every box holds something that can be written, so no pupil and no carried field is
// ever lost; lines after the third are written back as they were.
class RosterEditor
{
public:
    RosterEditor(const SharedState& state, MessageBox& messages, ScreenNavigator& navigator);

    // Reads the roster; on a problem shows a message and returns no lines.
    RosterBoxes load();

    // "変更": reads the roster again and writes it back with the boxes' names and birth
    // years. Returns false, with a message shown and the file untouched, on any problem.
    bool write(const RosterBoxes& boxes);

    // "もどる": a fresh name selection screen, which reads the changed roster.
    void back();

    QString rosterPath() const;
    QString tempPath() const;

private:
    bool refuse(const QString& problem);

    const SharedState& m_state;
    MessageBox& m_messages;
    ScreenNavigator& m_navigator;
};

inline const QString kRosterEditTitle = QStringLiteral("名前変更");
