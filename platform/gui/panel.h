#pragma once
// A panel: a coloured area with a centred caption and a bevel, holding other controls.
#include <QRect>
#include <QString>

#include "platform/gui/control.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent *owner);

    QString Caption() const { return caption_; }
    void SetCaption(const QString &caption);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut bevel);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut bevel);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    // A tick box: its colour is its state, black for ticked. Ticked it shows a check mark, white
    // while the box can be changed and grey while it cannot; an unticked box that cannot be
    // changed is grey.
    bool TickBox() const { return tickBox_; }
    void SetTickBox(bool value);

protected:
    QWidget *MakeWidget() override;
    void Paint(QPainter &painter) override;

private:
    QString caption_;
    TAlignment alignment_ = taCenter;
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    bool tickBox_ = false;

    void PaintTickBox(QPainter &painter, QRect inside);
    void PaintCaption(QPainter &painter, QRect inside);
};
