#pragma once
// The stored form of one record: for each field in number order a varint tag, followed for a
// text field by its bytes. Tag 0 is an empty field; a text of n bytes has tag n + 1; an integer
// or boolean v has tag zigzag(v) + 1. Trailing empty fields are left out, so a structure can
// gain fields without rewriting old records. Reading checks every length against the bytes
// present: a damaged record is reported, never read past. A stored record never ends in an empty
// field, so a record whose tail reads as empty fields (a page the engine zeroed) is damaged too.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/tables/structure.h"

namespace tables {

struct FieldValue {
    bool isNull = true;
    int32_t number = 0;  // Integer and Boolean fields
    std::string text;    // Text fields; an empty text is stored as an empty field
};

std::string EncodeRecord(const TableStructure &structure, const std::vector<FieldValue> &values);

// Decodes fields of one stored record on demand, without copying it; the bytes must outlive the
// view. Fields are located lazily, so reading the first few fields of a wide record is cheap.
class RecordView {
public:
    void Reset(const uint8_t *data, size_t size, const TableStructure &structure);

    // Fills `value` with field `field` (0 <= field < FieldCount); false when the record is damaged.
    bool Read(int field, FieldValue &value);
    // The text of a text field without copying; false when the record is damaged.
    bool ReadText(int field, std::string_view &text);
    // Decodes every field; false when the record is damaged.
    bool ReadAll(std::vector<FieldValue> &values);
    // Whether the whole record decodes, without copying its texts.
    bool Whole();

private:
    struct Slot {
        uint64_t tag;
        size_t payload;  // offset of the text bytes
    };
    bool Locate(int field, Slot &slot);

    const uint8_t *data_ = nullptr;
    size_t size_ = 0;
    const TableStructure *structure_ = nullptr;
    std::vector<Slot> slots_;  // fields located so far
    size_t next_ = 0;          // offset of the first field not yet located
    bool endsEmpty_ = false;   // the last field read from the bytes is an empty one
    bool damaged_ = false;
};

}  // namespace tables
