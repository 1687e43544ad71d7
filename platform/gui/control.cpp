#include "platform/gui/control.h"

#include <QWidget>
#include <algorithm>

#include "platform/gui/application.h"
#include "platform/gui/form.h"

TControl::TControl(TComponent *owner) : TComponent(owner) {
    gui::EnsureQtApplication();
    font_.OnChange = [this] {
        if (!adoptingFont_) parentFont_ = false;
        ApplyFont();
    };
}

TControl::~TControl() {
    SetParent(nullptr);
    if (widget_ != nullptr) {
        widget_->blockSignals(true);
        delete widget_;
    }
}

void TControl::AttachWidget(QWidget *widget) {
    widget_ = widget;
    widget_->setEnabled(enabled_);
    if (!hint_.isEmpty()) widget_->setToolTip(hint_);
    widget_->setFont(font_.ToQFont());
    // A size left to work out is worked out once (a label's FontChanged measures it).
    FontChanged();
    ResolvePendingSize();
    widget_->setGeometry(left_, top_, width_, height_);
    if (parent_ != nullptr) PlaceWidget();
}

QWidget *TControl::Widget() const {
    const_cast<TControl *>(this)->Realize();
    return widget_;
}

void TControl::Realize() {
    if (widget_ != nullptr) return;
    if (QWidget *widget = MakeWidget()) AttachWidget(widget);
}

void TControl::RealizeShownTree() {
    // Seen: the parent's widget exists and is set visible (a form's once it is shown).
    const bool seen = parent_ != nullptr && parent_->widget_ != nullptr && parent_->visible_ && visible_;
    if (widget_ == nullptr && (!seen || Loading())) return;
    Realize();
    if (!visible_ || widget_ == nullptr) return;
    if (auto *win = dynamic_cast<TWinControl *>(this))
        for (TControl *child : win->children_)
            if (child->visible_) child->RealizeShownTree();
}

void TControl::PlaceWidget() {
    parent_->Realize();
    widget_->setParent(parent_->widget_);
    // Qt stacks a newly placed widget on top of its siblings: it goes under the first later
    // sibling that has its widget, so the stacking follows the parent's order of controls.
    const auto &siblings = parent_->children_;
    for (auto later = std::find(siblings.begin(), siblings.end(), this) + 1; later != siblings.end(); ++later)
        if ((*later)->widget_ != nullptr) {
            widget_->stackUnder((*later)->widget_);
            break;
        }
    widget_->setGeometry(left_, top_, width_, height_);
    // Placing hides a Qt widget until shown; a hidden one is hidden explicitly, or Qt would show
    // it with its parent.
    widget_->setVisible(visible_);
}

void TControl::Invalidate() {
    if (widget_ != nullptr) widget_->update();
}

void TControl::SetParent(TWinControl *parent) {
    if (parent == parent_) return;
    if (parent_ != nullptr) {
        auto &siblings = parent_->children_;
        siblings.erase(std::find(siblings.begin(), siblings.end(), this));
    }
    parent_ = parent;
    if (parent != nullptr) parent->children_.push_back(this);
    if (parent == nullptr) {
        if (widget_ != nullptr) widget_->setParent(nullptr);
        return;
    }
    if (widget_ != nullptr) PlaceWidget();
    if (parentFont_) AdoptParentFont();
    RealizeShownTree();
}

void TControl::SetBounds(int left, int top, int width, int height) {
    // A size set overrides the one worked out before it.
    ResolvePendingSize();
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (widget_ != nullptr) widget_->setGeometry(left, top, width, height);
    NotifyAutoSizeParent();
}

void TControl::MoveTo(int left, int top) {
    if (!sizePending_) {
        SetBounds(left, top, width_, height_);
        return;
    }
    left_ = left;
    top_ = top;
    NotifyAutoSizeParent();
}

void TControl::NotifyAutoSizeParent() {
    auto *form = dynamic_cast<TForm *>(parent_);
    if (form != nullptr) form->AdjustAutoSize();
}

void TControl::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    ColorChanged();
}

void TControl::ColorChanged() {
    Invalidate();
}

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    if (value) AdoptParentFont();
}

void TControl::AdoptParentFont() {
    if (parent_ == nullptr) return;
    adoptingFont_ = true;
    font_.Assign(parent_->font_);
    adoptingFont_ = false;
}

void TControl::ApplyFont() {
    // A control on its parent's font gets it from its Qt parent as well; only own fonts are set.
    if (widget_ != nullptr && (!parentFont_ || parent_ == nullptr)) widget_->setFont(font_.ToQFont());
    FontChanged();
    if (auto *win = dynamic_cast<TWinControl *>(this))
        for (TControl *child : win->children_)
            if (child->parentFont_) child->AdoptParentFont();
}

void TControl::FontChanged() {
    Invalidate();
}

void TControl::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    if (value) RealizeShownTree();
    // A control without a parent has no window of its own to show; a form has.
    if (widget_ != nullptr && (parent_ != nullptr || dynamic_cast<TForm *>(this) != nullptr))
        widget_->setVisible(value);
    NotifyAutoSizeParent();
}

void TControl::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    if (widget_ != nullptr) widget_->setEnabled(value);
}

bool TControl::Showing() const {
    const TControl *c = this;
    for (; c->parent_ != nullptr; c = c->parent_)
        if (!c->visible_) return false;
    return c->visible_ && dynamic_cast<const TForm *>(c) != nullptr;
}

bool TControl::EnabledInTree() const {
    for (const TControl *c = this; c != nullptr; c = c->parent_)
        if (!c->enabled_) return false;
    return true;
}

void TControl::SetHint(const QString &hint) {
    hint_ = hint;
    if (widget_ != nullptr) widget_->setToolTip(hint);
}

TForm *TControl::ParentForm() const {
    const TControl *c = this;
    while (c->parent_ != nullptr) c = c->parent_;
    return dynamic_cast<TForm *>(const_cast<TControl *>(c));
}

void TControl::Click() {
    if (!EnabledInTree()) return;
    gui::Dispatch([this] { Clicked(); });
}

void TControl::Clicked() {
    if (OnClick) OnClick(this);
}

TWinControl::TWinControl(TComponent *owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // The children's widgets live as long as their controls, not as long as this widget.
    while (!children_.empty()) children_.back()->SetParent(nullptr);
}

bool TWinControl::CanFocus() const {
    const TControl *c = this;
    for (; c->Parent() != nullptr; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return c->Enabled() && dynamic_cast<const TForm *>(c) != nullptr;
}

void TWinControl::SetFocus() {
    if (!CanFocus()) return;
    ParentForm()->NoteActiveControl(this);
    if (Widget() != nullptr) Widget()->setFocus(Qt::OtherFocusReason);
}

bool TWinControl::Focused() const {
    const TForm *form = ParentForm();
    return form != nullptr && form->ActiveControl() == this;
}
