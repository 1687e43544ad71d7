#pragma once
// A label: text drawn on its parent, several lines when the caption holds CR LF; with AutoSize
// (the default) its size follows the text at once.
#include <QString>

#include "platform/gui/control.h"

class TLabel : public TControl {
public:
    explicit TLabel(TComponent *owner);

    QString Caption() const { return caption_; }
    void SetCaption(const QString &caption);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    // A label paints its own background only once a colour was given to it.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

protected:
    QWidget *MakeWidget() override;
    void Loaded() override { AdjustSize(); }
    void ColorChanged() override;
    void FontChanged() override;
    void ResolveSize() override;
    int PendingHeight() const override;
    void Paint(QPainter &painter) override;

private:
    // Fits the size to the caption: at once, or when it is needed for a label not shown yet.
    void AdjustSize();
    void Measure();
    // The caption's lines as measured: an empty caption still measures as one blank, so the label
    // keeps a line's height.
    QStringList MeasuredLines() const;

    QString caption_;
    bool autoSize_ = true;
    bool transparent_ = true;
    TAlignment alignment_ = taLeftJustify;
};
