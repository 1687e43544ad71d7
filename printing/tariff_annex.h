#pragma once
// The certificate's tariff-layout annex: the plain form (the first layout's eight tariffs) and the
// own family's form (every layout valid within the certificate's validity, with QR codes).
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/gui/canvas.h"
#include "printing/annex_results.h"
#include "tariffchange/change_layout_state.h"

namespace printing {

// The layout the annex prints: the normal stores, or the layout after the change while the
// change procedure is on.
struct TariffAnnexJob {
    std::map<QString, QString> texts;  // edits by name; a missing name reads empty
    QString Text(const QString &name) const;

    bool changeProcedure = false;  // Panel342 white
    bool listInactive = false;     // Panel323 black: inactive tariffs listed white on black
    std::uint8_t approvalRegime = 0;
    tariffchange::TariffParamTexts params;
    tariffchange::GroupUnitTexts groupUnits;
    std::array<std::string, 16> jdoplaty;
    std::array<std::uint8_t, 16> enabled{};
    std::array<std::uint8_t, 16> active{};  // enabled and within a valid period (own family's form)
    std::array<std::uint8_t, 4> letters{};  // page letter of each group, 0 = none
    QString printDate;                      // today as DD.MM.YYYY
};

// Both forms return the y, in layout units, below the page's last line of text.
double DrawTariffAnnex(TCanvas &canvas, int m, const TariffAnnexJob &job);
double DrawTariffAnnexMid(TCanvas &canvas, int m, const TariffAnnexJob &job);

// Where the own family's codes stand: side by side from `left` at `top`, ten modules apart, code i
// `modules[i]` modules square at `module` pixels a module, each with a quiet zone of four modules
// kept on the page (pageWidth x pageHeight pixels). A code that would reach below the page gets
// the largest module with which it fits; a row that would pass the right edge moves left as far as
// the first code's quiet zone allows, and where that is not enough its largest modules shrink, one
// pixel at a time, down to 1. Codes that fit stand where they were meant to.
std::vector<SymbolPlace> PlaceCodeRow(const std::vector<int> &modules, int left, int top, int module,
                                      int pageWidth, int pageHeight);

// The data of the own family's codes (code page 1250): the tariff parameters of the first layout
// (plain code) and the taximeter's and vehicle's identity (enciphered code).
std::string TariffCodeData(const TariffAnnexJob &job);
std::string IdentityCodeData(const TariffAnnexJob &job);

}  // namespace printing
