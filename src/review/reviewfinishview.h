#pragma once

#include "review/reviewtexts.h"

#include <QFrame>

class QLabel;
class QPushButton;

// The end of a review drill (`reviewFinish`): how many idioms were right at the first try, the
// drill's 苦手 idioms with reading and meaning, when the next review falls due, and
// 「メニューへ」 (`reviewMenu`) back to the hub. It shows what it is given; the button only
// reports its click.
class ReviewFinishView : public QFrame
{
    Q_OBJECT
public:
    explicit ReviewFinishView(QWidget* parent = nullptr);

    void showSummary(const ReviewSummary& summary);
    QPushButton* menuButton() const { return m_menu; }

signals:
    void menuClicked();

private:
    QLabel* m_firstTry = nullptr; // reviewFirstTry
    QLabel* m_weakCaption = nullptr;
    QLabel* m_weak = nullptr; // reviewWeak
    QLabel* m_next = nullptr; // reviewNext
    QPushButton* m_menu = nullptr;
};
