#include "platform/tables/record_codec.h"

#include <limits>

namespace tables {
namespace {

void PutVarint(std::string &out, uint64_t value) {
    while (value >= 0x80) {
        out += static_cast<char>(0x80 | (value & 0x7F));
        value >>= 7;
    }
    out += static_cast<char>(value);
}

bool GetVarint(const uint8_t *data, size_t size, size_t &offset, uint64_t &value) {
    value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (offset >= size) return false;
        const uint8_t byte = data[offset++];
        value |= static_cast<uint64_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) return shift < 63 || byte <= 1;
    }
    return false;
}

uint64_t ZigZag(int32_t value) {
    return (static_cast<uint64_t>(static_cast<int64_t>(value)) << 1) ^
           static_cast<uint64_t>(static_cast<int64_t>(value) >> 63);
}

bool UnZigZag(uint64_t encoded, FieldType type, int32_t &value) {
    const int64_t decoded = static_cast<int64_t>(encoded >> 1) ^ -static_cast<int64_t>(encoded & 1);
    if (decoded < std::numeric_limits<int32_t>::min() || decoded > std::numeric_limits<int32_t>::max())
        return false;
    if (type == FieldType::Boolean && decoded != 0 && decoded != 1) return false;
    value = static_cast<int32_t>(decoded);
    return true;
}

}  // namespace

std::string EncodeRecord(const TableStructure &structure, const std::vector<FieldValue> &values) {
    size_t used = values.size();
    while (used > 0 && (values[used - 1].isNull ||
                        (structure.fieldTypes[used - 1] == FieldType::Text && values[used - 1].text.empty())))
        --used;
    std::string out;
    for (size_t field = 0; field < used; ++field) {
        const FieldValue &value = values[field];
        if (structure.fieldTypes[field] == FieldType::Text) {
            PutVarint(out, value.isNull ? 0 : value.text.size() + 1);
            if (!value.isNull) out += value.text;
        } else {
            PutVarint(out, value.isNull ? 0 : ZigZag(value.number) + 1);
        }
    }
    return out;
}

void RecordView::Reset(const uint8_t *data, size_t size, const TableStructure &structure) {
    data_ = data;
    size_ = size;
    structure_ = &structure;
    slots_.clear();
    next_ = 0;
    endsEmpty_ = false;
    damaged_ = false;
}

bool RecordView::Locate(int field, Slot &slot) {
    while (!damaged_ && static_cast<int>(slots_.size()) <= field) {
        if (next_ == size_) {  // the rest of the fields were left out as empty
            slots_.push_back({0, next_});
            continue;
        }
        Slot located{};
        if (!GetVarint(data_, size_, next_, located.tag)) {
            damaged_ = true;
            break;
        }
        located.payload = next_;
        const FieldType type = structure_->fieldTypes[slots_.size()];
        const bool text = type == FieldType::Text;
        endsEmpty_ = located.tag == 0 || (text && located.tag == 1);
        if (text && located.tag > 0) {
            if (located.tag - 1 > size_ - next_) {
                damaged_ = true;
                break;
            }
            next_ += located.tag - 1;
        }
        int32_t number;
        if (!text && located.tag > 0 && !UnZigZag(located.tag - 1, type, number)) {
            damaged_ = true;
            break;
        }
        slots_.push_back(located);
        if (static_cast<int>(slots_.size()) == structure_->FieldCount() && next_ != size_) damaged_ = true;
        if (next_ == size_ && endsEmpty_) damaged_ = true;
    }
    if (damaged_) return false;
    slot = slots_[field];
    return true;
}

bool RecordView::ReadText(int field, std::string_view &text) {
    Slot slot;
    if (!Locate(field, slot)) return false;
    text = slot.tag == 0
               ? std::string_view()
               : std::string_view(reinterpret_cast<const char *>(data_ + slot.payload), slot.tag - 1);
    return true;
}

bool RecordView::Read(int field, FieldValue &value) {
    Slot slot;
    if (!Locate(field, slot)) return false;
    const FieldType type = structure_->fieldTypes[field];
    value.isNull = slot.tag == 0 || (type == FieldType::Text && slot.tag == 1);  // an empty text is empty
    value.number = 0;
    value.text.clear();
    if (value.isNull) return true;
    if (type == FieldType::Text) {
        value.text.assign(reinterpret_cast<const char *>(data_ + slot.payload), slot.tag - 1);
        return true;
    }
    return UnZigZag(slot.tag - 1, type, value.number);
}

bool RecordView::Whole() {
    Slot slot;
    return structure_->FieldCount() == 0 || Locate(structure_->FieldCount() - 1, slot);
}

bool RecordView::ReadAll(std::vector<FieldValue> &values) {
    values.resize(structure_->FieldCount());
    for (int field = 0; field < structure_->FieldCount(); ++field)
        if (!Read(field, values[field])) return false;
    return true;
}

}  // namespace tables
