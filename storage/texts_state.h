#pragma once
// Working members of the dictionaries of earlier entries, the remembered text files and the
// legal-basis texts.
#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "storage/legal_texts.h"

namespace storage {

struct TextsState {
    int32_t SzukajSelector = 0;  // 0..15: which field the pick list serves
    uint8_t SzukajPicked = 0;    // set by "POBIERZ" of the pick list
    int32_t SzukajRow = 0;       // the row picked last
    // The two sets of named texts, for the program's whole life (one main window).
    ZakresRecord ZakresTexts, WymaganiaTexts;
    // The job form's legal-basis text before "POBIERZ" replaced it, kept until the editor closes.
    std::optional<std::string> LegalTextBeforeTake;
    // Remembered files whose last rewrite failed: reported once until a rewrite succeeds.
    std::set<std::string> UnwritableTextFiles;
};

}  // namespace storage
