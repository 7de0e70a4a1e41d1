#pragma once

#include "print/worksheetsettings.h"

#include <QDialog>

#include <functional>
#include <memory>

class QCheckBox;
class QListWidget;
class QRadioButton;

// The print settings screen: levels, blanks and order of the worksheet.
class PrintSettingsDialog : public QDialog, public WorksheetSettingsView
{
    Q_OBJECT
public:
    // openPrintScreen is called for "印刷へ", worksheetRebuilt after every new table.
    PrintSettingsDialog(std::unique_ptr<WorksheetSettings> logic,
                        std::function<void()> openPrintScreen,
                        std::function<void()> worksheetRebuilt, QWidget* parent = nullptr);
    ~PrintSettingsDialog() override;

    void showChoices(const std::array<bool, 10>& levels, int option, bool shuffle) override;
    void openPrintScreen() override;
    void closeScreen() override;
    void worksheetRebuilt() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void levelsChanged();

    std::unique_ptr<WorksheetSettings> m_logic;
    std::function<void()> m_openPrintScreen;
    std::function<void()> m_worksheetRebuilt;
    bool m_levelsChangedSincePress = false;
    QListWidget* m_levels = nullptr;
    QRadioButton* m_options[6] = {};
    QCheckBox* m_shuffle = nullptr;
};
