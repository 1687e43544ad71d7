#pragma once
// What the window shows of a job, page by page as the officer opens them: every text, caption and
// colour on each page, the results grid of every tariff and test, the verdict's reasons and regime.
#include <QString>
#include <map>
#include <optional>
#include <string>

#include "app/form1.h"

// One entry a shown control: "page/control" -> its text and colours.
using ShownJob = std::map<std::string, std::string>;

// A control's text and the marks its colours make (red for a fault; black or white for a panel's
// flag); nothing for a control that shows no text. A memo's blank lines at its end show nothing.
inline std::optional<std::string> ShownState(TControl *c) {
    QString text;
    if (auto *edit = dynamic_cast<TEdit *>(c))
        text = edit->Text();
    else if (auto *memo = dynamic_cast<TMemo *>(c))
        text = memo->Lines().Lines().join('\n');
    else if (auto *panel = dynamic_cast<TPanel *>(c))
        text = panel->Caption();
    else if (auto *label = dynamic_cast<TLabel *>(c))
        text = label->Caption();
    else
        return std::nullopt;
    if (dynamic_cast<TMemo *>(c) != nullptr)
        while (text.endsWith('\n')) text.chop(1);
    std::string state = text.toStdString();
    if (c->Color() == clRed || c->Font().Color() == clRed) state += " (red)";
    if (dynamic_cast<TPanel *>(c) != nullptr && (c->Color() == clBlack || c->Color() == clWhite))
        state += c->Color() == clBlack ? " (black)" : " (white)";
    return state;
}

// Controls the window shows that are not the job's: "Leg." and "CZAS x10" tell by their colour
// whether the window is in a live session, "AUTO-Leg" is the station's way of testing, and the time
// of the meter's trip record (Edit448) is shown from the last readout but not kept with the job.
inline bool NotOfTheJob(TForm1 &w, const TControl *c) {
    return c == w.Panel162 || c == w.Panel388 || c == w.Panel392 || c == w.Edit448;
}

// Adds every control of the job the window shows now, under the name of the page.
inline void AddShown(TForm1 &w, const std::string &page, ShownJob &shown) {
    for (int i = 0; i < w.ComponentCount(); ++i) {
        auto *c = dynamic_cast<TControl *>(w.Components(i));
        if (c == nullptr || !c->Widget()->isVisible() || NotOfTheJob(w, c)) continue;
        if (const auto state = ShownState(c)) shown[page + "/" + c->Name().toStdString()] = *state;
    }
}

// The differences of two looks at a job, one line a control.
inline std::string ShownDifferences(const ShownJob &before, const ShownJob &after) {
    std::string lines;
    for (const auto &[name, state] : before) {
        const auto again = after.find(name);
        const std::string now = again == after.end() ? "(not shown)" : again->second;
        if (now != state) lines += name + ": \"" + state + "\" -> \"" + now + "\"\n";
    }
    for (const auto &[name, state] : after)
        if (before.find(name) == before.end()) lines += name + ": (not shown) -> \"" + state + "\"\n";
    return lines;
}
