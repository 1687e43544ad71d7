#pragma once
// The field structure of a table: one type per field number (0-based) and at most one field that
// the table numbers itself when a new record is posted.
#include <string>
#include <string_view>
#include <vector>

namespace tables {

enum class FieldType : char { Text = 'T', Integer = 'I', Boolean = 'B' };

struct TableStructure {
    std::vector<FieldType> fieldTypes;  // index = field number
    int autoNumberField = -1;           // an Integer field numbered at Post, or -1

    // From one letter per field ("ITTB..."); 'A' marks the auto-numbered integer field.
    // Any other letter, or a second 'A', raises EDatabaseError.
    static TableStructure FromLetters(std::string_view letters);
    // The inverse of FromLetters; also the form in which a table file records its structure.
    std::string Letters() const;

    int FieldCount() const { return static_cast<int>(fieldTypes.size()); }
    bool operator==(const TableStructure &) const = default;
};

}  // namespace tables
