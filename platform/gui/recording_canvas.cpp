#include "platform/gui/recording_canvas.h"

#include <cstdio>

#include "platform/gui/graphic.h"

namespace gui {
namespace {

std::string ColorText(TColor color) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(color));
    return text;
}

std::string PenStyleText(TPenStyle style) {
    static const char *const kNames[] = {"psSolid",      "psDash",  "psDot",        "psDashDot",
                                         "psDashDotDot", "psClear", "psInsideFrame"};
    return kNames[style];
}

std::string FontStyleText(TFontStyles style) {
    static const std::pair<TFontStyle, const char *> kNames[] = {{fsBold, "fsBold"},
                                                                 {fsItalic, "fsItalic"},
                                                                 {fsUnderline, "fsUnderline"},
                                                                 {fsStrikeOut, "fsStrikeOut"}};
    std::string text;
    for (const auto &[flag, name] : kNames) {
        if (!(style & flag)) continue;
        if (!text.empty()) text += ",";
        text += name;
    }
    return "[" + text + "]";
}

std::string Args(std::initializer_list<int> values) {
    std::string text;
    for (int value : values) text += (text.empty() ? "" : ", ") + std::to_string(value);
    return text;
}

std::string GraphicText(const TGraphic &graphic) {
    return std::to_string(graphic.Width()) + "x" + std::to_string(graphic.Height());
}

}  // namespace

RecordingCanvas::RecordingCanvas(int dotsPerInch) : metrics_(1, 1, QImage::Format_RGB32) {
    const int dotsPerMeter = qRound(dotsPerInch / 0.0254);
    metrics_.setDotsPerMeterX(dotsPerMeter);
    metrics_.setDotsPerMeterY(dotsPerMeter);
    Pen().OnChange = Brush().OnChange = Font().OnChange = [this] { RecordToolChanges(); };
}

void RecordingCanvas::RecordToolChanges() {
    auto change = [this](const char *property, auto recorded, auto now, auto text) {
        if (recorded != now) Record(std::string(property) + "=" + text(now));
    };
    auto number = [](int value) { return std::to_string(value); };
    change("Pen.Color", recorded_.pen.Color(), Pen().Color(), ColorText);
    change("Pen.Width", recorded_.pen.Width(), Pen().Width(), number);
    change("Pen.Style", recorded_.pen.Style(), Pen().Style(), PenStyleText);
    change("Brush.Color", recorded_.brush.Color(), Brush().Color(), ColorText);
    change("Brush.Style", recorded_.brush.Style(), Brush().Style(),
           [](TBrushStyle style) { return std::string(style == bsSolid ? "bsSolid" : "bsClear"); });
    change("Font.Name", recorded_.font.Name(), Font().Name(),
           [](const QString &name) { return name.toStdString(); });
    change("Font.Size", recorded_.font.Size(), Font().Size(), number);
    change("Font.Style", recorded_.font.Style(), Font().Style(), FontStyleText);
    change("Font.Color", recorded_.font.Color(), Font().Color(), ColorText);
    recorded_.pen.Assign(Pen());
    recorded_.brush.Assign(Brush());
    recorded_.font.Assign(Font());
}

void RecordingCanvas::DoMoveTo(TPoint to) {
    Record("MoveTo(" + Args({to.X, to.Y}) + ")");
}

void RecordingCanvas::DoLineTo(TPoint, TPoint to) {
    Record("LineTo(" + Args({to.X, to.Y}) + ")");
}

void RecordingCanvas::DoRectangle(const TRect &rect) {
    Record("Rectangle(" + Args({rect.Left, rect.Top, rect.Right, rect.Bottom}) + ")");
}

void RecordingCanvas::DoFillRect(const TRect &rect) {
    Record("FillRect(" + Args({rect.Left, rect.Top, rect.Right, rect.Bottom}) + ")");
}

void RecordingCanvas::DoPolygon(const std::vector<TPoint> &points) {
    std::string text;
    for (const TPoint &p : points) text += (text.empty() ? "(" : ", (") + Args({p.X, p.Y}) + ")";
    Record("Polygon(" + text + ")");
}

void RecordingCanvas::DoSetPixel(TPoint at, TColor color) {
    Record("SetPixel(" + Args({at.X, at.Y}) + ", " + ColorText(color) + ")");
}

void RecordingCanvas::DoTextOut(TPoint at, const QString &text) {
    Record("TextOut(" + Args({at.X, at.Y}) + ", \"" + text.toStdString() + "\")");
}

void RecordingCanvas::DoDraw(TPoint at, const TGraphic &graphic) {
    Record("Draw(" + Args({at.X, at.Y}) + ", " + GraphicText(graphic) + ")");
}

void RecordingCanvas::DoStretchDraw(const TRect &rect, const TGraphic &graphic) {
    Record("StretchDraw(" + Args({rect.Left, rect.Top, rect.Right, rect.Bottom}) + ", " +
           GraphicText(graphic) + ")");
}

}  // namespace gui
