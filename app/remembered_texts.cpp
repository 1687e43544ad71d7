// Start-up reading of the remembered texts: extra devices, seal marks and counts, places of the
// protocol, and the seal remarks. A file that cannot be read leaves its fields as they are.
#include <algorithm>
#include <span>

#include "app/form1.h"

namespace {

const QString kNone = QStringLiteral("---");

// Loads the file into the memo; false when it cannot be read.
bool LoadInto(TMemo *memo, const QString &fileName) {
    std::optional<QStringList> lines = ReadOptionalTextFile(fileName);
    if (lines) memo->Lines().Replace(std::move(*lines));
    return lines.has_value();
}

// Lines 0.. of the memo into the edits, an empty line shown as emptyShown; edits beyond the last
// line keep their texts.
void LinesToEdits(const TMemo *memo, std::span<TEdit *const> edits, const QString &emptyShown) {
    const size_t count = std::min(edits.size(), static_cast<size_t>(memo->Lines().Count()));
    for (size_t i = 0; i < count; ++i) {
        const QString line = memo->Lines()[static_cast<int>(i)];
        edits[i]->SetText(line.isEmpty() ? emptyShown : line);
    }
}

}  // namespace

void TForm1::LoadRememberedTexts() {
    if (LoadInto(Memo16, QStringLiteral("ee.txt"))) {
        Memo8->SetText(Memo16->Text());
        LinesToEdits(Memo16, ExtraDeviceEdits, QString());
    }
    if (LoadInto(Memo16, QStringLiteral("em.txt"))) {
        Memo9->SetText(Memo16->Text());
        LinesToEdits(Memo16, MarkNameEdits, kNone);
    }
    if (LoadInto(Memo16, QStringLiteral("ems.txt"))) {
        Memo13->SetText(Memo16->Text());
        LinesToEdits(Memo16, MarkCountEdits, kNone);
    }
    TEdit *const places[] = {Edit483, Edit485, Edit484, Edit508, Edit510};
    for (TEdit *edit : std::span(places).first(4)) edit->SetText(kNone);
    if (LoadInto(Memo21, QStringLiteral("poz.txt"))) {
        while (Memo21->Lines().Count() < 5) Memo21->Lines().Add(kNone);
        for (int i = 0; i < 5; ++i) places[i]->SetText(Memo21->Lines()[i]);
    }
    LoadInto(Memo2, QStringLiteral("mp.txt"));
}
