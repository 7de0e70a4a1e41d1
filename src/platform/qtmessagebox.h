#pragma once

#include "platform/messagebox.h"

class QWidget;

// Message boxes on screen, centred on the program's window.
class QtMessageBox : public MessageBox
{
public:
    explicit QtMessageBox(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    Answer show(const QString& title, const QString& text, Buttons buttons = Buttons::Ok) override;

private:
    QWidget* m_parent = nullptr;
};
