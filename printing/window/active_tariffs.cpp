#include "app/form1.h"
#include "printing/active_tariffs.h"
#include "printing/window/annex_b_pages.h"

std::array<std::string, 8> TForm1::ValidityDatePairs() const {
    // Start and end of each group of four slots side by side: the readout's dates of the shown job,
    // or the layout after the change (starts at g, ends at g + 4) in the change procedure.
    std::array<std::string, 8> pairs;
    for (size_t g = 0; g < 4; ++g) {
        if (ChangeProcedureOn()) {
            pairs[2 * g] = ZuValidityDatesAfter[g];
            pairs[2 * g + 1] = ZuValidityDatesAfter[g + 4];
        } else {
            pairs[2 * g] = TariffGroupTexts[g][0].toStdString();
            pairs[2 * g + 1] = TariffGroupTexts[g][1].toStdString();
        }
    }
    return pairs;
}

int TForm1::GetActivTaryf(std::array<uint8_t, 16> &flags) const {
    const printing::CalendarDate today = printing::Today();
    const printing::CalendarDate reference =
        printing::CertificateReferenceDate(RecordSaveDate, Lit(Panel162) || Lit(Panel163), today);
    const bool change = ChangeProcedureOn();
    return printing::ActiveSlots(change ? ZuEnabledFlagsAfter : TariffEnabledFlags,
                                 ValidityDatePairs(), today, reference, flags);
}
