#pragma once
// Geometry of the main window's controls, shared by the layout tests of its pages and screens.
#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "app/form1.h"

namespace layout {

// Where a control lies in the coordinates of one of its ancestors.
inline QRect RectIn(const TControl *control, const TControl *ancestor) {
    QRect r(control->Left(), control->Top(), control->Width(), control->Height());
    for (const TControl *p = control->Parent(); p != nullptr && p != ancestor; p = p->Parent())
        r.translate(p->Left(), p->Top());
    return r;
}

inline bool IsUnder(const TControl *control, const TControl *ancestor) {
    for (const TControl *p = control->Parent(); p != nullptr; p = p->Parent())
        if (p == ancestor) return true;
    return false;
}

// Shown when the area is: the control and every parent up to the area have their own flag set.
inline bool ShownWithin(const TControl *control, const TControl *area) {
    for (const TControl *c = control; c != nullptr && c != area; c = c->Parent())
        if (!c->Visible()) return false;
    return true;
}

inline bool InsideParent(const TControl *control) {
    const TControl *parent = control->Parent();
    return QRect(0, 0, parent->Width(), parent->Height())
        .contains(QRect(control->Left(), control->Top(), control->Width(), control->Height()));
}

// Where a control's text lies: a label padded with blanks shows ink only as far as its last
// visible character.
inline QRect InkRectIn(TControl *control, const TControl *ancestor) {
    QRect r = RectIn(control, ancestor);
    auto *label = dynamic_cast<TLabel *>(control);
    if (label == nullptr || !label->Caption().endsWith(' ')) return r;
    QString caption = label->Caption();
    while (caption.endsWith(' ')) caption.chop(1);
    r.setWidth(std::min(r.width(), QFontMetrics(label->Widget()->font()).horizontalAdvance(caption)));
    return r;
}

// A panel's caption fits between its edges; other controls have no caption to cut.
inline bool CaptionFits(TControl *control) {
    auto *panel = dynamic_cast<TPanel *>(control);
    return panel == nullptr ||
           QFontMetrics(panel->Widget()->font()).horizontalAdvance(panel->Caption()) <= panel->Width();
}

// Controls that put text on the screen: labels and panels with a caption, and the text boxes.
inline bool BearsText(TControl *c) {
    if (auto *label = dynamic_cast<TLabel *>(c)) return !label->Caption().isEmpty();
    if (auto *panel = dynamic_cast<TPanel *>(c)) return !panel->Caption().isEmpty();
    return dynamic_cast<TEdit *>(c) != nullptr || dynamic_cast<TMemo *>(c) != nullptr ||
           dynamic_cast<TButton *>(c) != nullptr || dynamic_cast<TStringGrid *>(c) != nullptr;
}

// Every control of the window under the area, in the window's order.
inline std::vector<TControl *> ControlsUnder(TForm1 &w, const TControl *area) {
    std::vector<TControl *> controls;
    for (int i = 0; i < w.ComponentCount(); ++i) {
        auto *c = dynamic_cast<TControl *>(w.Components(i));
        if (c != nullptr && IsUnder(c, area)) controls.push_back(c);
    }
    return controls;
}

}  // namespace layout
