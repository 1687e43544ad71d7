// Commands of the fare evaluation in the dispatch table.
#include <array>

#include "app/command_table.h"
#include "app/form1.h"

namespace {

// 40: a slot panel of the picker "Podaj TARYFĘ do wprowadzenia wyników" names the slot (0..15) the
// results just received belong to; they are stored there with the totalisers.
void StoreResultsInChosenSlot(TForm1 &form, int32_t) {
    form.Panel325->Hide();
    form.Panel239->SetEnabled(true);
    const int slot = form.ButtonPanelIndexByte;
    form.LayoutBase = slot < 8 ? 0 : 8;
    form.ZapiszWynikiFunkcja(slot - form.LayoutBase, true);
    form.ButtonPanelIndexByte = 0;
    form.TestTariffSel = 0xFF;
}

constexpr std::array kRows = {commands::Row{40, StoreResultsInChosenSlot}};

}  // namespace

std::span<const commands::Row> commands::EvaluationRows() { return kRows; }
