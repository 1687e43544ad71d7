#pragma once
// An image control: shows its picture at the top left, at its own size, or stretched over the
// control (Stretch), or centred (Center). An empty picture shows nothing.
#include "platform/gui/control.h"
#include "platform/gui/picture.h"

class TImage : public TControl {
public:
    explicit TImage(TComponent *owner);

    TPicture &Picture() { return picture_; }
    const TPicture &Picture() const { return picture_; }

    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);

    // Where the picture lands inside the control, in the control's coordinates.
    QRect PictureRect() const;

protected:
    void Paint(QPainter &painter) override;

private:
    TPicture picture_;
    bool stretch_ = false;
    bool center_ = false;
};
