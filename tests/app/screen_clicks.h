#pragma once
// Clicks as the officer makes them: a control is brought onto the screen with the screens and pages
// that hold it, and a left click lands on whatever the window shows at the control's centre.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRect>
#include <QWidget>
#include <string>

#include "app/form1.h"

// Shows the control and every parent up to the window; panels that overlap one of them on the
// same parent (the other screens and pages) are hidden.
inline void BringOnScreen(TControl *control) {
    for (TControl *c = control; c->Parent() != nullptr; c = c->Parent()) {
        c->Show();
        const QRect area(c->Left(), c->Top(), c->Width(), c->Height());
        TWinControl *parent = c->Parent();
        for (int i = 0; i < parent->ControlCount(); ++i) {
            TControl *sibling = parent->Controls(i);
            if (sibling == c || dynamic_cast<TPanel *>(sibling) == nullptr) continue;
            if (area.intersects(QRect(sibling->Left(), sibling->Top(), sibling->Width(), sibling->Height())))
                sibling->Hide();
        }
    }
}

// The name of the control whose widget this is.
inline std::string ControlNameOf(const TForm1 &w, const QWidget *widget) {
    for (int i = 0; i < w.ComponentCount(); ++i)
        if (auto *c = dynamic_cast<TControl *>(w.Components(i)); c != nullptr && c->Widget() == widget)
            return c->Name().toStdString();
    return widget == nullptr ? "nothing" : "an unnamed widget";
}

// A left press and release at the centre of the control, sent to the widget the window shows
// there; fails when a control that is not on it covers it.
inline void ClickOnScreen(TForm1 &w, TControl *control) {
    QWidget *window = w.Widget();
    QWidget *target = control->Widget();
    const QPoint centre = target->mapTo(window, target->rect().center());
    QWidget *hit = window->childAt(centre);
    // What lies on the control (its caption label) takes the click in its place.
    ASSERT_TRUE(hit == target || (hit != nullptr && target->isAncestorOf(hit)))
        << control->Name().toStdString() << " is covered by " << ControlNameOf(w, hit);
    const QPointF local = hit->mapFrom(window, centre);
    const QPointF global = hit->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(hit, &press);
    QCoreApplication::sendEvent(hit, &release);
}

// Replaces the text of an edit or memo key by key: select all, then the characters.
inline void TypeOver(TControl *control, const QString &text) {
    QWidget *widget = control->Widget();
    QKeyEvent selectAll(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"));
    QCoreApplication::sendEvent(widget, &selectAll);
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, c == '\n' ? Qt::Key_Return : 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &press);
    }
}
