#pragma once
// The field structure of a table: one type per field number (0-based), at most one field that
// the table numbers itself when a new record is posted, and the fields the file keeps an index
// on, so that records holding a given value are found without reading the others.
#include <string>
#include <string_view>
#include <vector>

namespace tables {

enum class FieldType : char { Text = 'T', Integer = 'I', Boolean = 'B' };

struct TableStructure {
    std::vector<FieldType> fieldTypes;  // index = field number
    int autoNumberField = -1;           // an Integer field numbered at Post, or -1
    std::vector<int> indexedFields;     // ascending; never the auto-numbered field

    // From one letter per field ("ITTB..."); 'A' marks the auto-numbered integer field, a lower-case
    // 't', 'i' or 'b' an indexed field of that type. Any other letter, or a second 'A', raises
    // EDatabaseError.
    static TableStructure FromLetters(std::string_view letters);
    // The inverse of FromLetters.
    std::string Letters() const;
    // The letters without the index marks: the form in which a table file records its structure.
    std::string TypeLetters() const;
    // Marks `field` as indexed (an Integer, Text or Boolean field other than the auto-numbered one).
    void Index(int field);
    bool Indexed(int field) const;

    int FieldCount() const { return static_cast<int>(fieldTypes.size()); }
    bool operator==(const TableStructure &) const = default;
};

}  // namespace tables
