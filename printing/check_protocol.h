#pragma once
// The check protocol: one portrait page of 108 table-driven rows (fixed texts, job values, bands,
// dotted rules, frames and separators), drawn on a page canvas with the base length m.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>

#include "platform/gui/canvas.h"

namespace printing {

// What the protocol prints of the job. Values are looked up by control name ("Edit35"); a name
// that is missing reads as empty, a memo line that does not exist reads as empty.
struct CheckProtocolData {
    std::map<QString, QString> edits;
    std::map<QString, QStringList> memos;  // Memo2, Memo3, Memo4, Memo5, Memo10
    bool zt = false;                       // the ZT approval regime, else MID
    std::uint8_t meterFamily = 0;          // 1 own family (TIVAR), 0 NOVITIUS
    std::uint8_t verdictStatus = 0;        // bit 0 inspection failed, bit 1 measurement failed
    bool repairerApplies = false;          // Panel232 black
    bool installerApplies = false;         // Panel233 black
    bool userApplies = false;              // Panel234 black
    bool printDate = false;                // Panel282 black
};

// The edits and memos the page reads, for the window to fill CheckProtocolData.
QStringList CheckProtocolEditNames();
QStringList CheckProtocolMemoNames();

// The tyre size with a last "P", "T" or "O" spelled out as the driven axle; an empty text stays empty.
QString TyreSizeText(const QString &tyre);

// Draws the page in the canvas's face and size as they are at the start. pageWidth is the page
// width in device pixels, the width the justified scope lines fill.
void DrawCheckProtocol(TCanvas &canvas, int m, int pageWidth, const CheckProtocolData &data);

}  // namespace printing
