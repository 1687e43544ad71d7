#include "app/form1.h"
#include "printing/active_tariffs.h"
#include "printing/window/annex_b_pages.h"

int TForm1::GetActivTaryf(std::array<uint8_t, 16> &flags) const {
    const printing::CalendarDate today = printing::Today();
    const printing::CalendarDate reference =
        printing::CertificateReferenceDate(RecordSaveDate, Lit(Panel162) || Lit(Panel163), today);
    const bool change = ChangeProcedureOn();
    return printing::ActiveSlots(change ? ZuEnabledFlagsAfter : TariffEnabledFlags,
                                 change ? ZuValidityDatesAfter : LayoutValidityDates, today, reference, flags);
}
