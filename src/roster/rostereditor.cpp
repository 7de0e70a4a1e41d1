#include "roster/rostereditor.h"

#include "core/codepage.h"
#include "core/fieldreader.h"
#include "core/screennavigator.h"
#include "core/sharedstate.h"
#include "platform/filereplace.h"
#include "platform/messagebox.h"
#include "roster/rosterfile.h"

#include <cmath>
#include <limits>

RosterEditor::RosterEditor(const SharedState& state, MessageBox& messages,
                           ScreenNavigator& navigator)
    : m_state(state), m_messages(messages), m_navigator(navigator)
{
}

QString RosterEditor::rosterPath() const
{
    return m_state.commonFolder + kRosterFileName;
}

QString RosterEditor::tempPath() const
{
    return m_state.commonFolder + kRosterTempFileName;
}

bool RosterEditor::refuse(const QString& problem)
{
    m_messages.show(kRosterEditTitle, problem + QStringLiteral("\n\n名簿は書きかえませんでした。"));
    return false;
}

RosterBoxes RosterEditor::load()
{
    RosterBoxes boxes;
    const RosterFileContents roster = readWholeRoster(rosterPath());
    if (!roster.status.ok()) {
        m_messages.show(kRosterEditTitle, roster.status.message);
        return boxes;
    }
    boxes.lineCount =
        static_cast<int>(std::min<qsizetype>(roster.entries.size(), RosterBoxes::kLines));
    for (int k = 1; k <= boxes.lineCount; ++k) {
        boxes.names[k] = trimBlanks(roster.entries.at(k - 1).rosterName);
        boxes.birthYears[k] = QString::number(roster.entries.at(k - 1).birthYear);
    }
    return boxes;
}

bool RosterEditor::write(const RosterBoxes& boxes)
{
    RosterFileContents roster = readWholeRoster(rosterPath());
    if (!roster.status.ok())
        return refuse(roster.status.message);

    const qsizetype edited = std::min<qsizetype>(roster.entries.size(), RosterBoxes::kLines);
    for (int k = 1; k <= edited; ++k) {
        RosterEntry& entry = roster.entries[k - 1];
        const QString name = trimBlanks(boxes.names[k]);
        // A pupil without a name could no longer be found on the name screen.
        if (name.isEmpty())
            return refuse(QStringLiteral("%1行目の名前が空です。名前を入れてください。").arg(k));
        bool encodable = false;
        CodePage::encode(name, &encodable);
        if (!encodable || name.contains(u'"'))
            return refuse(QStringLiteral("%1行目の名前「%2」には名簿に書けない文字があります。")
                              .arg(k)
                              .arg(name));
        const double year = std::nearbyint(FieldReader::leadingNumber(boxes.birthYears[k]));
        if (year < std::numeric_limits<qint16>::min() || year > std::numeric_limits<qint16>::max())
            return refuse(QStringLiteral("%1行目の生まれた年「%2」は年として使えません。")
                              .arg(k)
                              .arg(boxes.birthYears[k]));
        entry.rosterName = fixedWidthText(name);
        entry.birthYear = static_cast<qint16>(year);
    }

    QByteArray bytes;
    for (qsizetype line = 0; line < roster.entries.size(); ++line) {
        if (line < edited) {
            const RosterEntry& entry = roster.entries.at(line);
            bool encodable = false;
            bytes += CodePage::encode(rosterLineText(entry), &encodable);
            // A kept text read without quotes may hold a double quote, which would end its
            // quoted field early and shift the fields after it.
            if (!encodable || entry.extraText1.contains(u'"') || entry.extraText2.contains(u'"'))
                return refuse(
                    QStringLiteral("名簿の%1行目に、書きもどせない文字があります。").arg(line + 1));
        } else {
            bytes += roster.lineBytes.at(line);
        }
        bytes += "\r\n";
    }
    if (Status status = replaceFileDurably(rosterPath(), tempPath(), bytes); !status.ok())
        return refuse(status.message);
    return true;
}

void RosterEditor::back()
{
    m_navigator.show(ScreenId::NameSelection);
}
