#pragma once

#include "core/screen.h"
#include "results/drillfinish.h"

class QLabel;
class QPushButton;
class QTimer;

// The widget of the finish screen `FrmSyuuryou`: its elements carry the names `Image1`,
// `Label13`..`Label20`, `Label2`, `Picture1` with `Label1`, `Command4`, `Command5` and `Timer1`,
// and every click and tick goes to the logic.
class FinishScreen : public Screen, private FinishView
{
    Q_OBJECT
public:
    explicit FinishScreen(FinishServices services, QWidget* parent = nullptr);

    void activate() override;
    QString windowCaption() const override { return m_caption; }

    DrillFinish& logic() { return m_logic; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Escape is "メニューへ", the way back.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setTodayItemText(const QString& text) override;
    void setTodayTotalText(const QString& text) override;
    void setContentName(const QString& text) override;
    void setItemName(const QString& text) override;
    void setPupilName(const QString& text) override;
    void setResultText(const QString& text) override;
    void setPointsText(const QString& text) override;
    void showMessage(const QString& text) override;
    void setLevelText(const QString& text) override;
    void setLevelVisible(bool visible) override;
    void setTargetPanelVisible(bool visible) override;
    void showMenuButton() override;
    void setAgainButtonVisible(bool visible) override;
    void disableButtons() override;
    void startTimer1() override;
    void stopTimer1() override;

    void buildElements();
    void placeTargetPanel();

    DrillFinish m_logic;
    QString m_caption;
    QLabel* m_background = nullptr;
    QLabel* m_contentName = nullptr;
    QLabel* m_itemName = nullptr;
    QLabel* m_pupilName = nullptr;
    QLabel* m_todayItem = nullptr;
    QLabel* m_todayTotal = nullptr;
    QLabel* m_result = nullptr;
    QLabel* m_points = nullptr;
    QLabel* m_message = nullptr;
    QLabel* m_level = nullptr;
    QWidget* m_targetPanel = nullptr;
    QPushButton* m_menu = nullptr;
    QPushButton* m_again = nullptr;
    QTimer* m_timer1 = nullptr;
};
