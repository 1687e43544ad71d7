#include "platform/tables/structure.h"

#include <algorithm>
#include <cctype>

#include "platform/runtime/errors.h"

namespace tables {

TableStructure TableStructure::FromLetters(std::string_view letters) {
    TableStructure structure;
    structure.fieldTypes.reserve(letters.size());
    for (char letter : letters) {
        const int field = structure.FieldCount();
        switch (std::toupper(static_cast<unsigned char>(letter))) {
            case 'T':
                structure.fieldTypes.push_back(FieldType::Text);
                break;
            case 'I':
                structure.fieldTypes.push_back(FieldType::Integer);
                break;
            case 'B':
                structure.fieldTypes.push_back(FieldType::Boolean);
                break;
            case 'A':
                if (letter == 'a') throw EDatabaseError("the auto-numbered field cannot be indexed");
                if (structure.autoNumberField >= 0)
                    throw EDatabaseError("a table can have only one auto-numbered field");
                structure.autoNumberField = field;
                structure.fieldTypes.push_back(FieldType::Integer);
                break;
            default:
                throw EDatabaseError("unknown field type '" + std::string(1, letter) + "' of field " +
                                     std::to_string(field));
        }
        if (std::islower(static_cast<unsigned char>(letter))) structure.indexedFields.push_back(field);
    }
    return structure;
}

std::string TableStructure::TypeLetters() const {
    std::string letters;
    letters.reserve(fieldTypes.size());
    for (int field = 0; field < FieldCount(); ++field)
        letters += field == autoNumberField ? 'A' : static_cast<char>(fieldTypes[field]);
    return letters;
}

std::string TableStructure::Letters() const {
    std::string letters = TypeLetters();
    for (int field : indexedFields)
        letters[static_cast<size_t>(field)] = static_cast<char>(std::tolower(static_cast<unsigned char>(letters[field])));
    return letters;
}

void TableStructure::Index(int field) {
    if (field < 0 || field >= FieldCount() || field == autoNumberField)
        throw EDatabaseError("field " + std::to_string(field) + " cannot be indexed");
    const auto at = std::lower_bound(indexedFields.begin(), indexedFields.end(), field);
    if (at == indexedFields.end() || *at != field) indexedFields.insert(at, field);
}

bool TableStructure::Indexed(int field) const {
    return std::binary_search(indexedFields.begin(), indexedFields.end(), field);
}

}  // namespace tables
