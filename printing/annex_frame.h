#pragma once
// What the pages of the measurement-error annex B share: the job's values they print, drawing in
// base units on a landscape canvas, and the block of taximeter settings.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "evaluation/evaluation_state.h"
#include "platform/gui/canvas.h"
#include "printing/active_tariffs.h"

namespace printing {

// The setting accuracy of the vehicle constant w against the meter constant k, checked before the
// verdict is taken so that the verdict printed on the page includes it.
struct VehicleConstantCheck {
    std::int32_t w = 0;                 // the vehicle constant; filled from St of slot 0 when it was 0
    std::optional<float> accuracy;      // (w - k) / k x 100; none when k does not convert or is 0
    bool wKnown = false;                // w is nonzero or came from St of slot 0
    bool outOfTolerance = false;        // beyond -1.0 .. 1.0
};
VehicleConstantCheck CheckVehicleConstant(std::int32_t w, const std::string &stationConstantSlot0,
                                          const QString &meterConstantK);

struct AnnexJob {
    std::map<QString, QString> texts;      // edits and labels by name; a missing name reads empty
    std::map<QString, QStringList> memos;  // Memo1, Memo3, Memo4, Memo5
    QString Text(const QString &name) const;
    QString MemoLine(const QString &memo, int line) const;

    const evaluation::EvaluationState *stores = nullptr;  // tariff stores, results, failure flags
    std::uint8_t meterFamily = 0;                          // 1 the own family
    std::uint8_t approvalRegime = 0;                       // 1 MID, 0 ZT
    std::uint8_t vehicleResults = 0;
    std::uint8_t calcRelativeToK = 0;
    std::uint8_t czasX10 = 0;
    std::uint8_t printBaseRun = 0;
    bool contractPrice = false;  // Panel28 black
    bool discount = false;       // Panel29 black
    bool colourPrint = false;    // Panel275 black: failed values in red
    bool verdictNegative = false;
    int testedSlots = 0;
    QString date;  // the page's date text
    QString nrBoczny, trybFiskalny;
    std::array<std::uint8_t, 2> tivarOptions{};
    std::array<std::int32_t, 3> liczniki{};  // n wheel turns, c circumference [mm], w [imp/km]
    VehicleConstantCheck constantCheck;
    std::array<std::uint8_t, 4> pageCode{};
    std::array<std::string, 4> maxSurcharge;
    std::array<std::string, 8> validityDates;
    std::uint32_t layoutChangeTestMask = 0;
    std::array<std::uint8_t, 16> testSpeedPercent{};
    std::array<float, 16> testSpeedValue{};
    CalendarDate today, reference;
};

// Drawing in base units on a landscape page: (x, y) at (trunc(x u), trunc(y u)).
class AnnexCanvas {
public:
    AnnexCanvas(TCanvas &canvas, int m);
    ~AnnexCanvas();
    AnnexCanvas(const AnnexCanvas &) = delete;
    AnnexCanvas &operator=(const AnnexCanvas &) = delete;

    TCanvas &Canvas() { return canvas_; }
    int Unit() const { return u_; }
    int BaseSize() const { return s0_; }
    int Px(double units) const;

    void Text(double x, double y, const QString &text);
    void Bold(double x, double y, const QString &text);
    void Regular(double x, double y, const QString &text);
    // Where a text meant for x stands behind `label` drawn at labelX in the canvas's font as it is
    // now: x, or one blank after the label's end where x falls inside the label as the printer's
    // face draws it.
    double After(double labelX, const QString &label, double x) const;
    // x, or the pixel `from` in units where x falls before it.
    double NotBefore(int from, double x) const;
    // The pixel one blank (in the font as it is now) after the end of the text drawn last.
    int BlankAfterLast() const;
    void Size(int size);         // font size in points
    void Scaled(double factor);  // trunc(S0 x factor)
    void BaseFont();             // S0, not bold

    void HRule(double y, double x1, double x2);
    void VRule(double x, double y1, double y2);
    void ThickVRule(double x, double y1, double y2);
    void Frame(double x1, double y1, double x2, double y2);  // with the pen doubled
    void Fill(double x1, double y1, double x2, double y2, TColor colour);
    // A failed value: red text with colour printing, else white text on a black box.
    void Marked(double x, double y, const QString &text, bool colourPrint, double boxLeft, double boxTop,
                double boxRight, double boxBottom);

private:
    TCanvas &canvas_;
    int u_;
    int s0_;
    int pen_;
};

// The texts of one printed line, drawn left to right: each at its x, or a blank after the text
// before it where that one reaches past x as the printer's face draws it. An empty text draws
// nothing and keeps the line's end.
class TextLine {
public:
    TextLine(AnnexCanvas &page, double y) : page_(page), y_(y) {}
    // In the canvas's font as it is now.
    void Text(double x, const QString &text);
    void Regular(double x, const QString &text);
    void Bold(double x, const QString &text);

private:
    AnnexCanvas &page_;
    double y_;
    int end_ = 0;  // the first pixel the next text may take
};

QString FromStore(const std::string &text);

// Where the cells of the settings block differ between the annex B pages.
struct SettingsLayout {
    double title = 0;                // y of the block's titles; the rows start 0.7 below
    double certificateValueZt = 0;   // x of the certificate number after the ZT label
    double certificateValueMid = 0;  // x of the certificate number after the MID label
    double makeLabel = 0;            // x of "Marka poj.:"
    double tyreValue = 0;            // x of the tyre size
    bool interfaceOnLastRow = true;  // Label155 on row 6 with 10 or more tested slots
};

// The manufacturer line and the seven rows of taximeter settings with their rules and frame.
void DrawSettingsBlock(AnnexCanvas &page, const AnnexJob &job, bool ownFamily, const SettingsLayout &layout);

// The title and the page number, date, installed wording and the stamp text of the header.
void DrawAnnexTitle(AnnexCanvas &page, const AnnexJob &job, int pages, int page_);

// The office lines; one line, lower, when the branch is empty or "---". True when two lines.
bool DrawOffice(AnnexCanvas &page, const AnnexJob &job, double firstY, double secondY);

}  // namespace printing
