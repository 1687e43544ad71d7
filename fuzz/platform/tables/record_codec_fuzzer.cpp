// Stored records come from files: decoding any bytes must stay inside them, and whatever decodes
// must encode back to a record that decodes to the same values.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/tables/record_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1) return 0;
    // The first byte picks a structure of up to 16 fields from a fixed mix of types.
    const std::string letters = std::string("TIBTTIBTITBTTIIB").substr(0, 1 + data[0] % 16);
    const tables::TableStructure structure = tables::TableStructure::FromLetters(letters);
    tables::RecordView view;
    view.Reset(data + 1, size - 1, structure);
    std::vector<tables::FieldValue> values;
    if (!view.ReadAll(values)) return 0;
    const std::string again = tables::EncodeRecord(structure, values);
    tables::RecordView reread;
    reread.Reset(reinterpret_cast<const uint8_t *>(again.data()), again.size(), structure);
    std::vector<tables::FieldValue> second;
    if (!reread.ReadAll(second)) __builtin_trap();
    for (size_t field = 0; field < values.size(); ++field) {
        const bool sameEmpty =
            values[field].isNull == second[field].isNull ||
            (structure.fieldTypes[field] == tables::FieldType::Text && values[field].text.empty());
        if (!sameEmpty || values[field].number != second[field].number ||
            values[field].text != second[field].text)
            __builtin_trap();
    }
    return 0;
}
