#pragma once
// The re-verification certificate: one portrait page of the issuing office, the instrument, its
// place of use, metrology, applicant, requirements, seals and dates, with the state emblem and,
// for a duplicate, the watermark.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <map>

#include "platform/gui/canvas.h"
#include "platform/gui/graphic.h"
#include "platform/gui/label.h"
#include "platform/gui/printer.h"
#include "printing/active_tariffs.h"

namespace printing {

struct CertificateJob {
    std::map<QString, QString> texts;      // edits by name; a missing name reads empty
    std::map<QString, QStringList> memos;  // Memo3, Memo4, Memo5, Memo10, Memo22
    QString Text(const QString &name) const;
    QString MemoLine(const QString &memo, int line) const;
    QStringList Memo(const QString &memo) const;

    std::array<QString, 6> devices;     // the additional devices' lines
    std::array<QString, 6> markNames;   // where the security marks are placed
    std::array<QString, 6> markCounts;  // how many
    std::uint8_t meterFamily = 0;
    std::uint8_t approvalRegime = 0;
    bool duplicate = false;      // Panel383 black
    bool workingModeOn = false;  // "Leg." or "Ust." white
    std::array<bool, 3> roles{};  // Panel232, Panel233, Panel234 black
    std::array<std::int32_t, 3> recordSaveDate{};
    CalendarDate today;
    int activeTariffs = 0;
    float printScale = 1;
    const TGraphic *emblem = nullptr;        // Image1
    const TGraphic *duplicateMark = nullptr;  // Image5
};

// "7 marca 2026".
QString DateInWords(CalendarDate date);

// The additional devices as the certificate breaks them: the filled lines joined by ", " and two
// blanks, then pieces of at most 100 characters, each cut after its last blank (at 100 without
// one). None when no line is filled.
QStringList DeviceLines(const std::array<QString, 6> &devices);

// templab measures the centred lines and the tyre size; printer justifies the requirement lines
// (left-aligned without one).
void DrawCertificate(TCanvas &canvas, int m, const CertificateJob &job, TLabel &templab, TPrinter *printer);

}  // namespace printing
