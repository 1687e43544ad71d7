// The commands of the pick list of earlier entries and of the legal-basis editor.
#include <optional>

#include "app/command_table.h"
#include "app/form1.h"
#include "platform/runtime/numbers.h"

namespace {

// The GenData2 record number in column 2 of the selected row; none when it is not a number (the
// placeholder row, an entry that could not be stored).
std::optional<int> SelectedRecordNumber(const TStringGrid &grid) {
    try {
        return StrToInt(grid.Cells(2, grid.Row()).toStdString());
    } catch (const EConvertError &) {
        return std::nullopt;
    }
}

}  // namespace

std::span<const commands::Row> commands::TextRows() {
    static constexpr Row rows[] = {
        {27, [](TForm1 &form, int32_t) { form.CloseDictionary(); }},
        {62,
         [](TForm1 &form, int32_t) {
             form.SzukajPicked = 1;
             form.StringGridSet();
         }},
        {63,
         [](TForm1 &form, int32_t) {
             if (const std::optional<int> record = SelectedRecordNumber(*form.StringGrid1))
                 form.DeleteStringGridRow(*record);
         }},
        {64, [](TForm1 &form, int32_t) { form.CancelLegalEditor(); }},
        {65, [](TForm1 &form, int32_t) { form.TakeLegalText(); }},
        {66, [](TForm1 &form, int32_t) { form.CloseLegalEditor(false); }},
        {67, [](TForm1 &form, int32_t) { form.CloseLegalEditor(true); }},
    };
    return rows;
}
