#pragma once
// A recording canvas that also keeps every text it is given with the font it is drawn in.
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "platform/gui/recording_canvas.h"

struct DrawnText {
    int x = 0, y = 0;
    QString text;
    QString face;
    int size = 0;
    bool bold = false, italic = false;
};

class TextRecordingCanvas : public gui::RecordingCanvas {
public:
    std::vector<DrawnText> texts;

    // The first text equal to `text`; none when it was not drawn.
    std::optional<DrawnText> Find(const QString &text) const {
        for (const DrawnText &drawn : texts)
            if (drawn.text == text) return drawn;
        return std::nullopt;
    }
    // Every text drawn at x, in order.
    std::vector<DrawnText> At(int x) const {
        std::vector<DrawnText> found;
        for (const DrawnText &drawn : texts)
            if (drawn.x == x) found.push_back(drawn);
        return found;
    }

protected:
    void DoTextOut(TPoint at, const QString &text) override {
        texts.push_back({at.X, at.Y, text, Font().Name(), Font().Size(), (Font().Style() & fsBold) != 0,
                         (Font().Style() & fsItalic) != 0});
        RecordingCanvas::DoTextOut(at, text);
    }
};
