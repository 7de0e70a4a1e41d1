#pragma once

#include "core/screen.h"
#include "roster/nameselection.h"

#include <array>

class QButtonGroup;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

// The widget of the name selection screen: its elements carry the names `Label4`, `Combo1`,
// `Option1_0`..`Option1_3`, `List1`, `Label1`, `Label2`, `Command14`, `Command7`, `Command1`,
// `Picture5` and `Image1`, and every click and key goes to the logic.
class NameSelectionScreen : public Screen, private NameSelectionView
{
    Q_OBJECT
public:
    explicit NameSelectionScreen(NameSelectionServices services, QWidget* parent = nullptr);

    void load() override;
    void activate() override;
    QString windowCaption() const override { return kWindowCaption; }

    NameSelection& logic() { return m_logic; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void setTitle(const QString& contentName) override;
    void setFilterEntries(const QStringList& entries) override;
    void setDisplayMode(int mode) override;
    void setRows(const QStringList& rows) override;
    void selectRow(int row) override;
    void setChoiceText(const QString& text) override;
    void setChosenNumberText(const QString& text) override;
    void setStartButtonVisible(bool visible) override;
    void setPrintButtonVisible(bool visible) override;
    void setWaitPanelVisible(bool visible) override;
    void focusList() override;
    void showErrorMessage(const QString& title, const QString& text) override;

    void buildElements(const QColor& accent);
    void buildMenus();
    void connectElements();

    NameSelection m_logic;
    QLabel* m_title = nullptr;
    QLabel* m_icon = nullptr;
    QComboBox* m_filter = nullptr;
    std::array<QRadioButton*, 4> m_modes{};
    QButtonGroup* m_modeGroup = nullptr;
    QListWidget* m_list = nullptr;
    QLabel* m_choice = nullptr;
    QLabel* m_chosenNumber = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_quit = nullptr;
    QPushButton* m_print = nullptr;
    QLabel* m_waitPanel = nullptr;
};
