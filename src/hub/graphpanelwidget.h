#pragma once

#include "hub/graphdata.h"
#include "hub/graphpanel.h"

#include <QFrame>
#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;
class QScrollArea;

// The page of the graph panel, `Picture12`: the pupil's blocks drawn at the width of the
// picture, as tall as they need.
class GraphPicture : public QWidget
{
    Q_OBJECT
public:
    explicit GraphPicture(QWidget* parent = nullptr);

    void setPage(const GraphPage& page);
    const GraphPage& page() const { return m_page; }
    // The page at a given width in pixels, white, for looking at it outside the screen.
    QImage render(int width) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitHeight();
    void paintPage(QPainter& painter, int width) const;

    GraphPage m_page;
};

// The graph panel `Picture11` of the hub with `Picture12`, the pupil list `List2`, the item
// list `List3`, `Command25` "他の人のデータを見る", `Command24_0` "表示", `Command24_1` "印刷",
// `savePdf` "PDFに保存" and `Command18` "戻る". Every click goes to the panel's logic.
class GraphPanelWidget : public QFrame, public GraphPanelView
{
    Q_OBJECT
public:
    GraphPanelWidget(GraphPanel& logic, QWidget* parent);

    void setPanelVisible(bool visible) override;
    void setPupilList(const QStringList& lines) override;
    void setPupilListVisible(bool visible) override;
    void clearPupilSelection() override;
    QList<int> selectedPupilLines() const override;
    void setItemList(const QStringList& lines) override;
    void selectItemLines(const QList<int>& lines) override;
    QList<int> selectedItemLines() const override;
    void setOthersButtonVisible(bool visible) override;
    void setPrintVisible(bool visible) override;
    void showPage(const GraphPage& page) override;
    QString choosePdfFileName(const QString& suggestion) override;

    GraphPicture* picture() const { return m_picture; }

protected:
    // Escape is "戻る".
    void keyPressEvent(QKeyEvent* event) override;

private:
    GraphPanel& m_logic;
    GraphPicture* m_picture = nullptr; // Picture12
    QScrollArea* m_pictureArea = nullptr;
    QListWidget* m_pupils = nullptr; // List2
    QListWidget* m_items = nullptr;  // List3
    QPushButton* m_others = nullptr; // Command25
    QPushButton* m_show = nullptr;   // Command24(0)
    QPushButton* m_print = nullptr;  // Command24(1)
    QPushButton* m_savePdf = nullptr;
    QPushButton* m_back = nullptr; // Command18
};
