#pragma once

#include <QAbstractButton>
#include <QAccessible>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QWidget>

// What a screen reader reaches under an element, in its reading order, leaving out what is
// hidden (and everything inside it).
inline void collectShown(QAccessibleInterface* element, QList<QAccessibleInterface*>& found)
{
    for (int i = 0; element && i < element->childCount(); ++i) {
        QAccessibleInterface* child = element->child(i);
        if (!child || child->state().invisible)
            continue;
        found.append(child);
        collectShown(child, found);
    }
}

inline QList<QAccessibleInterface*> shownElements(QObject* root)
{
    QList<QAccessibleInterface*> found;
    collectShown(QAccessible::queryAccessibleInterface(root), found);
    return found;
}

// The shown element of this role and name, or nullptr.
inline QAccessibleInterface* shownElement(QObject* root, QAccessible::Role role,
                                          const QString& name)
{
    for (QAccessibleInterface* element : shownElements(root)) {
        if (element->role() == role && element->text(QAccessible::Name) == name)
            return element;
    }
    return nullptr;
}

// Presses the shown button of this name through its accessible action; false if there is none.
inline bool pressShownButton(QObject* root, const QString& name)
{
    QAccessibleInterface* button = shownElement(root, QAccessible::Button, name);
    if (!button || !button->actionInterface())
        return false;
    // A push button answers with an animated click: it is released, and clicked, a moment
    // later. Waiting for that is no timing assumption; the click comes however long it takes.
    // A tile's press is posted, to run once the bus has had its reply.
    QPointer<QObject> target = button->object();
    QPointer<QAbstractButton> pushed = qobject_cast<QAbstractButton*>(target);
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    if (!pushed) {
        QCoreApplication::sendPostedEvents(target, QEvent::MetaCall);
        return true;
    }
    return QTest::qWaitFor([&] { return !pushed || !pushed->isDown(); }, 30'000);
}

// The screen's own lists, drop-down lists and buttons (option buttons and check boxes
// included) that give a screen reader no name to read. The parts Qt builds into its widgets
// (a drop-down list's popup, a menu bar's overflow button) carry no element name and are left
// out.
inline QStringList unnamedControls(QWidget* root)
{
    QStringList unnamed;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (widget->objectName().isEmpty() || widget->objectName().startsWith(u"qt_"))
            continue;
        if (!widget->inherits("QAbstractItemView") && !widget->inherits("QComboBox") &&
            !widget->inherits("QAbstractButton"))
            continue;
        QAccessibleInterface* element = QAccessible::queryAccessibleInterface(widget);
        if (!element || element->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << widget->objectName();
    }
    return unnamed;
}
