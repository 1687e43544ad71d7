// Commands of the device channels: 26 replays a capture file, 61 shows the live course page.
#include "app/command_table.h"
#include "app/form1.h"

std::span<const commands::Row> commands::DeviceRows() {
    static constexpr Row rows[] = {
        {26, [](TForm1 &form, int32_t) { form.StartCaptureReplay(); }},
        {61, [](TForm1 &form, int32_t) {
             form.PageFunction(7);
             form.SelectTab(7);
         }},
    };
    return rows;
}
