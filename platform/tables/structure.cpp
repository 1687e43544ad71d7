#include "platform/tables/structure.h"

#include "platform/runtime/errors.h"

namespace tables {

TableStructure TableStructure::FromLetters(std::string_view letters) {
    TableStructure structure;
    structure.fieldTypes.reserve(letters.size());
    for (char letter : letters) {
        const int field = structure.FieldCount();
        switch (letter) {
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
                if (structure.autoNumberField >= 0)
                    throw EDatabaseError("a table can have only one auto-numbered field");
                structure.autoNumberField = field;
                structure.fieldTypes.push_back(FieldType::Integer);
                break;
            default:
                throw EDatabaseError("unknown field type '" + std::string(1, letter) + "' of field " +
                                     std::to_string(field));
        }
    }
    return structure;
}

std::string TableStructure::Letters() const {
    std::string letters;
    letters.reserve(fieldTypes.size());
    for (int field = 0; field < FieldCount(); ++field)
        letters += field == autoNumberField ? 'A' : static_cast<char>(fieldTypes[field]);
    return letters;
}

}  // namespace tables
