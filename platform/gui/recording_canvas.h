#pragma once
// A canvas that draws nothing and records every drawing call and every change of its pen, brush
// and font, one line each with its arguments, in order; e.g. "Pen.Width=4", "MoveTo(10, 20)",
// "LineTo(30, 20)", "TextOut(5, 6, \"Ząb\")". Measuring text (TextWidth, TextHeight) is not
// recorded; it uses the font metrics of a device of the given resolution, the same as the
// printer's canvas at that resolution.
#include <QImage>
#include <string>
#include <vector>

#include "platform/gui/canvas.h"

namespace gui {

class RecordingCanvas : public TCanvas {
public:
    explicit RecordingCanvas(int dotsPerInch = 600);

    const std::vector<std::string> &Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }

    TColor Pixel(int, int) const override { return -1; }

protected:
    QPaintDevice *MetricsDevice() const override { return &metrics_; }
    void DoMoveTo(TPoint to) override;
    void DoLineTo(TPoint from, TPoint to) override;
    void DoRectangle(const TRect &rect) override;
    void DoFillRect(const TRect &rect) override;
    void DoPolygon(const std::vector<TPoint> &points) override;
    void DoSetPixel(TPoint at, TColor color) override;
    void DoTextOut(TPoint at, const QString &text) override;
    void DoDraw(TPoint at, const TGraphic &graphic) override;
    void DoStretchDraw(const TRect &rect, const TGraphic &graphic) override;

private:
    // The pen, brush and font as last recorded, to record each change by property.
    struct Tools {
        TPen pen;
        TBrush brush;
        TFont font;
    };
    void RecordToolChanges();
    void Record(std::string call) { calls_.push_back(std::move(call)); }

    mutable QImage metrics_;
    Tools recorded_;
    std::vector<std::string> calls_;
};

}  // namespace gui
