// Reading and writing a field as text, integer or boolean. Integers are written as decimal text
// into a text field and read back from it with StrToInt; a boolean field reads as text "True" or
// "False". Other crossings of types are refused.
#include <cctype>

#include "platform/runtime/errors.h"
#include "platform/runtime/numbers.h"
#include "platform/tables/table.h"

namespace tables {
namespace {

constexpr const char *kTrue = "True";
constexpr const char *kFalse = "False";

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

const char *TypeName(FieldType type) {
    switch (type) {
        case FieldType::Text:
            return "a text";
        case FieldType::Integer:
            return "an integer";
        case FieldType::Boolean:
            return "a boolean";
    }
    return "";
}

}  // namespace

void TField::TypeMismatch(const char *as) const {
    throw EDatabaseError(table_.TableName() + ": field " + std::to_string(index_) + " is " +
                         TypeName(table_.Structure().fieldTypes[index_]) + " field and cannot be used as " +
                         as);
}

bool TField::IsNull() const {
    return table_.Value(index_).isNull;
}

std::string TField::AsString() const {
    const FieldValue &value = table_.Value(index_);  // checks the field number first
    return tables::AsString(table_.Structure().fieldTypes[index_], value);
}

std::string AsString(FieldType type, const FieldValue &value) {
    if (value.isNull) return {};
    switch (type) {
        case FieldType::Text:
            return value.text;
        case FieldType::Integer:
            return std::to_string(value.number);
        case FieldType::Boolean:
            return value.number ? kTrue : kFalse;
    }
    return {};
}

int32_t TField::AsInteger() const {
    const FieldValue &value = table_.Value(index_);
    switch (table_.Structure().fieldTypes[index_]) {
        case FieldType::Text:
            return value.isNull ? 0 : StrToInt(value.text);
        case FieldType::Integer:
            return value.number;
        case FieldType::Boolean:
            break;
    }
    TypeMismatch("an integer");
}

bool TField::AsBoolean() const {
    const FieldValue &value = table_.Value(index_);
    if (table_.Structure().fieldTypes[index_] != FieldType::Boolean) TypeMismatch("a boolean");
    return value.number != 0;
}

void TField::SetAsString(std::string_view text) const {
    table_.CheckField(index_);
    FieldValue value;
    value.isNull = text.empty();
    switch (table_.Structure().fieldTypes[index_]) {
        case FieldType::Text:
            value.text = text;
            break;
        case FieldType::Integer:
            if (!value.isNull) value.number = StrToInt(text);
            break;
        case FieldType::Boolean:
            if (value.isNull) break;
            if (SameLetters(text, kTrue))
                value.number = 1;
            else if (!SameLetters(text, kFalse))
                throw EConvertError("'" + std::string(text) + "' is not a valid boolean value");
            break;
    }
    table_.Assign(index_, std::move(value));
}

void TField::SetAsInteger(int32_t number) const {
    table_.CheckField(index_);
    FieldValue value;
    value.isNull = false;
    switch (table_.Structure().fieldTypes[index_]) {
        case FieldType::Text:
            value.text = std::to_string(number);
            break;
        case FieldType::Integer:
            value.number = number;
            break;
        case FieldType::Boolean:
            TypeMismatch("an integer");
    }
    table_.Assign(index_, std::move(value));
}

void TField::SetAsBoolean(bool flag) const {
    table_.CheckField(index_);
    if (table_.Structure().fieldTypes[index_] != FieldType::Boolean) TypeMismatch("a boolean");
    table_.Assign(index_, FieldValue{false, flag ? 1 : 0, {}});
}

}  // namespace tables
