#pragma once
// The drawing surface of the framework, in integer device pixels with the origin at the top left:
// pen, brush and font state and the classic drawing operations. A line leaves out its end point,
// a rectangle covers [Left, Right) x [Top, Bottom), text is placed by the top-left corner of its
// cell, and text is measured on the device the canvas paints on.
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/gui/brush.h"
#include "platform/gui/font.h"
#include "platform/gui/pen.h"

class QPaintDevice;
class QPainter;
class TGraphic;

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint &) const = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect &) const = default;
};

class TCanvas {
public:
    TCanvas() = default;
    TCanvas(const TCanvas &) = delete;
    TCanvas &operator=(const TCanvas &) = delete;
    virtual ~TCanvas() = default;

    TPen &Pen() { return pen_; }
    TBrush &Brush() { return brush_; }
    TFont &Font() { return font_; }
    TPoint PenPos() const { return penPos_; }

    void MoveTo(int x, int y);
    // A line with the pen from the pen position to (x, y); (x, y) itself is not painted and
    // becomes the pen position.
    void LineTo(int x, int y);
    // Outline with the pen, inside filled with the brush.
    void Rectangle(int x1, int y1, int x2, int y2);
    // Fills with the brush only.
    void FillRect(const TRect &rect);
    void Polygon(const std::vector<TPoint> &points);
    void SetPixel(int x, int y, TColor color);
    // The colour of a pixel, or -1 where the device cannot be read or (x, y) lies outside it.
    virtual TColor Pixel(int x, int y) const = 0;
    // Text in the canvas font with the top-left corner of its cell at (x, y); a solid brush
    // fills the cell behind it. The pen moves to the end of the text.
    void TextOut(int x, int y, const QString &text);
    int TextWidth(const QString &text) const;
    int TextHeight(const QString &text) const;
    void Draw(int x, int y, const TGraphic &graphic);
    // The whole graphic scaled into the rectangle.
    void StretchDraw(const TRect &rect, const TGraphic &graphic);

    // Runs after every drawing operation (a bitmap's picture repaints the control showing it).
    std::function<void()> OnChange;

protected:
    // The device whose resolution the text is measured at.
    virtual QPaintDevice *MetricsDevice() const = 0;

    virtual void DoMoveTo(TPoint to) = 0;
    virtual void DoLineTo(TPoint from, TPoint to) = 0;
    virtual void DoRectangle(const TRect &rect) = 0;
    virtual void DoFillRect(const TRect &rect) = 0;
    virtual void DoPolygon(const std::vector<TPoint> &points) = 0;
    virtual void DoSetPixel(TPoint at, TColor color) = 0;
    virtual void DoTextOut(TPoint at, const QString &text) = 0;
    virtual void DoDraw(TPoint at, const TGraphic &graphic) = 0;
    virtual void DoStretchDraw(const TRect &rect, const TGraphic &graphic) = 0;

private:
    void Changed() {
        if (OnChange) OnChange();
    }

    TPen pen_;
    TBrush brush_;
    TFont font_;
    TPoint penPos_;
};

namespace gui {

// A canvas that paints with a QPainter on a Qt paint device. A bitmap's canvas starts painting at
// its first drawing (open on demand); the printer's canvas paints only between Open and Close,
// which its BeginDoc and EndDoc call, and ignores drawing outside them.
class PainterCanvas : public TCanvas {
public:
    PainterCanvas(QPaintDevice *device, bool openOnDemand);
    ~PainterCanvas() override;

    bool Open();
    void Close();
    bool IsOpen() const { return painter_ != nullptr; }

    TColor Pixel(int x, int y) const override;

protected:
    QPaintDevice *MetricsDevice() const override { return device_; }
    void DoMoveTo(TPoint) override {}
    void DoLineTo(TPoint from, TPoint to) override;
    void DoRectangle(const TRect &rect) override;
    void DoFillRect(const TRect &rect) override;
    void DoPolygon(const std::vector<TPoint> &points) override;
    void DoSetPixel(TPoint at, TColor color) override;
    void DoTextOut(TPoint at, const QString &text) override;
    void DoDraw(TPoint at, const TGraphic &graphic) override;
    void DoStretchDraw(const TRect &rect, const TGraphic &graphic) override;

private:
    // The open painter, opened now when on demand; null when nothing may be drawn.
    QPainter *Active();

    QPaintDevice *device_;
    bool openOnDemand_;
    std::unique_ptr<QPainter> painter_;
};

}  // namespace gui
