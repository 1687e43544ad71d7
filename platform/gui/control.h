#pragma once
// Controls: TControl (geometry, colour, font, own Visible/Enabled flags, clicks) and TWinControl
// (a control that holds children and can take the focus). Each control owns a Qt widget that shows
// its state; the state the program reads back is held here, exactly as it was written.
// Most controls make their widget only when it is first needed: when the control can be seen (it
// and its parents are visible, up to a shown window) or when Widget() is asked for. A window of
// hundreds of controls on hidden pages thus shows without making their widgets first.
#include <QString>
#include <vector>

#include "platform/gui/colors.h"
#include "platform/gui/component.h"
#include "platform/gui/font.h"

class QWidget;
class QPainter;
class TWinControl;
class TForm;

namespace gui {
class ControlWidget;
}

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TControl : public TComponent {
public:
    explicit TControl(TComponent *owner);
    ~TControl() override;

    TWinControl *Parent() const { return parent_; }
    void SetParent(TWinControl *parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const {
        ResolvePendingSize();
        return width_;
    }
    int Height() const { return sizePending_ ? PendingHeight() : height_; }
    void SetLeft(int value) { SetBounds(value, top_, Width(), Height()); }
    void SetTop(int value) { SetBounds(left_, value, Width(), Height()); }
    void SetWidth(int value) { SetBounds(left_, top_, value, Height()); }
    void SetHeight(int value) { SetBounds(left_, top_, Width(), value); }
    virtual void SetBounds(int left, int top, int width, int height);
    // Moves the control, its size kept (a size still to be worked out stays so).
    void MoveTo(int left, int top);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFont &Font() { return font_; }
    const TFont &Font() const { return font_; }
    // True while the control takes its font from its parent (until its own font is changed).
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);

    // The control's own flags; a hidden or disabled parent still hides or disables its children.
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);
    // Visible along the whole parent chain, the form included.
    bool Showing() const;
    // Enabled along the whole parent chain, the form included.
    bool EnabledInTree() const;

    QString Hint() const { return hint_; }
    void SetHint(const QString &hint);

    // The form the control sits on (itself for a form), or null.
    TForm *ParentForm() const;

    // The operator clicks the control: OnClick runs unless the control or a parent is disabled.
    // An exception from the handler is reported through Application and goes no further.
    void Click();
    TNotifyEvent OnClick;

    // The widget that shows the control, made now if it was not yet; null for a plain control
    // that shows nothing.
    QWidget *Widget() const;

protected:
    // Takes ownership of the widget that shows this control and brings it up to date. Controls
    // that must have their widget at once attach it in their constructor.
    void AttachWidget(QWidget *widget);
    // Makes the widget of a control that makes it when first needed, showing the control's state
    // (geometry, font, visibility and the like are brought up to date by AttachWidget).
    virtual QWidget *MakeWidget() { return nullptr; }
    bool HasWidget() const { return widget_ != nullptr; }
    // A control whose size follows its content may work it out only when the size is read, set,
    // or shown: it marks the size pending, and ResolveSize works it out then.
    void SetSizePending() { sizePending_ = true; }
    virtual void ResolveSize() {}
    // The height of a pending size, read without working out the rest where that is cheaper (a
    // label's height needs no measuring of its text); the default works out the whole size.
    virtual int PendingHeight() const {
        ResolvePendingSize();
        return height_;
    }
    void ResolvePendingSize() const {
        if (!sizePending_) return;
        sizePending_ = false;
        const_cast<TControl *>(this)->ResolveSize();
    }
    // Repaints the widget after a change of what it shows.
    void Invalidate();

    // Called after the colour or the font changed; the default repaints the widget.
    virtual void ColorChanged();
    virtual void FontChanged();
    // What a click does; the default runs OnClick.
    virtual void Clicked();
    // Painting of controls drawn by the framework itself (panels, labels, forms).
    virtual void Paint(QPainter &) {}

private:
    friend class TWinControl;
    friend class gui::ControlWidget;

    void AdoptParentFont();
    void NotifyAutoSizeParent();
    void ApplyFont();
    // Places the widget on the parent's widget (made first if need be), in the order of the
    // parent's controls.
    void PlaceWidget();
    // Makes the widget unless it exists.
    void Realize();
    // Makes the widgets of this control and its visible descendants where they can be seen now.
    void RealizeShownTree();

    QWidget *widget_ = nullptr;
    TWinControl *parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TColor color_ = clBtnFace;
    TFont font_;
    bool parentFont_ = true;
    bool adoptingFont_ = false;
    bool visible_ = true;
    bool enabled_ = true;
    mutable bool sizePending_ = false;
    QString hint_;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent *owner);
    ~TWinControl() override;

    int ControlCount() const { return static_cast<int>(children_.size()); }
    TControl *Controls(int index) const { return children_.at(index); }

    // Whether SetFocus would take effect: the control and its parents are visible and enabled
    // (the form's own visibility aside, so that headless forms take the focus too).
    bool CanFocus() const;
    // Moves the keyboard focus here; does nothing on a hidden or disabled control.
    void SetFocus();
    bool Focused() const;

private:
    friend class TControl;
    std::vector<TControl *> children_;
};
