#include "platform/qtmessagebox.h"

#include <QMessageBox>

MessageBox::Answer QtMessageBox::show(const QString& title, const QString& text, Buttons buttons)
{
    QMessageBox::StandardButtons choice = QMessageBox::Ok;
    if (buttons == Buttons::OkCancel)
        choice = QMessageBox::Ok | QMessageBox::Cancel;
    else if (buttons == Buttons::YesNo)
        choice = QMessageBox::Yes | QMessageBox::No;
    QMessageBox box(QMessageBox::NoIcon, title, text, choice, m_parent);
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Ok;
    }
}
