#pragma once

#include "roster/rostereditor.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;

// The roster edit dialog `FrmName2`: names `Text1_1`..`Text1_3`, birth years
// `Text2_1`..`Text2_3`, "変更" `Command1` and "もどる" `Command2`. It is a window of its own
// beside the main window; however it is closed, the name selection screen comes back.
class RosterEditDialog : public QDialog
{
    Q_OBJECT
public:
    RosterEditDialog(QWidget* owner, const SharedState& state, MessageBox& messages,
                     ScreenNavigator& navigator);

    // Loads the roster into the boxes (done once when the dialog is made).
    void loadBoxes();
    bool writeRoster(); // "変更"
    void goBack();      // "もどる"

protected:
    void done(int result) override;

private:
    RosterEditor m_editor;
    std::array<QLineEdit*, RosterBoxes::kLines + 1> m_names{};
    std::array<QLineEdit*, RosterBoxes::kLines + 1> m_birthYears{};
    QLabel* m_nameLimitNote = nullptr;
    bool m_wentBack = false;
};
