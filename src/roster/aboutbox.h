#pragma once

#include <QDialog>

// The version box: the program's name and version, centred over the window that opens it.
class AboutBox : public QDialog
{
    Q_OBJECT
public:
    AboutBox(QWidget* owner, const QString& contentName);

    // Places the box at the middle of the owner's area.
    void centreOverOwner();

    // Shows a centred, modal box and returns when it is closed.
    static void showModal(QWidget* owner, const QString& contentName);
};

// The top-left corner that centres a box of boxSize over an area.
QPoint centredPosition(const QRect& area, const QSize& boxSize);
