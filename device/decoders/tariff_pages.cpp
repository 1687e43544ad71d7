#include "device/decoders/tariff_pages.h"

#include "device/decoders/tivar_records.h"
#include "platform/runtime/numbers.h"

namespace decoders {

namespace {

constexpr size_t kPageValuePosition = 157;
constexpr long double kPageValueBase = 9999.99L;

std::string RemainingValue(const std::string &pageValue) {
    const std::optional<long double> value = TextToNumber(pageValue);
    if (!value) return std::string(kNoValue);
    const float stored = static_cast<float>(*value);
    return FormatValue(static_cast<float>(kPageValueBase - stored), 2);
}

bool KnownPageLetter(char c) {
    return c == 'A' || c == 'C' || c == 'E' || c == 'H' || c == 'F';
}

}  // namespace

std::string PageDateText(const std::string &field) {
    if (field.size() != 8) return std::string(kNoValue);
    const std::string r(field.rbegin(), field.rend());
    return r.substr(0, 4) + "." + r.substr(4, 2) + "." + r.substr(6, 2);
}

std::optional<TariffPage> DecodeTariffPage(Bytes record) {
    if (ClassifyTivarRecord(record, true) != TivarRecordKind::TariffPage) return std::nullopt;
    TariffPage page;
    page.Page = record[1] - '0';
    page.PageCode = record.size() > 2 ? static_cast<char>(record[2]) : 0;
    page.LayoutBase = page.Page >= 3 ? 8 : 0;
    page.FirstColumn = page.Page % 2 == 0 ? 4 : 0;
    page.JT = ReadField(record, {7, 6, kDecimalDigits, 100, 2});
    for (size_t t = 0; t < kPageTariffs; ++t) {
        TariffColumnTexts &c = page.Columns[t];
        c.OplP = ReadField(record, {13 + 8 * t, 8, kDecimalDigits, 100, 2});
        c.Dps = ReadField(record, {45 + 4 * t, 4, kHexDigits, 1, 0});
        c.Cps = ReadField(record, {61 + 4 * t, 4, kHexDigits, 10, 1});
        c.OplD = ReadField(record, {77 + 6 * t, 6, kHexDigits, 100, 2});
        c.OplC = ReadField(record, {101 + 8 * t, 8, kHexDigits, 100, 2});
        c.Jdopl = ReadField(record, {133 + 6 * t, 6, kDecimalDigits, 100, 2});
    }
    page.PageValue = ReadField(record, {kPageValuePosition, 6, kDecimalDigits, 100, 2});
    page.PageValueRemaining = RemainingValue(page.PageValue);
    page.Dates[0] = PageDateText(ReadField(record, {163, 8, kPlainText, 1, 0}));
    page.Dates[1] = PageDateText(ReadField(record, {171, 8, kPlainText, 1, 0}));
    const std::optional<int32_t> option = TextToInt(ReadField(record, {5, 2, kHexDigits, 1, 0}));
    if (option && *option >= 0 && *option < 256) {
        page.GroupFlag = (*option & 0x04) != 0 ? 1 : 0;
        page.ActiveCount = static_cast<uint8_t>((*option & 3) + 1);
    }
    return page;
}

PageCaptions SetPageTivar(const std::array<char, kTariffPages> &codes,
                          const std::array<char, kTariffPages> &shown) {
    PageCaptions captions{"Tar.", "Tar.", {}};
    for (size_t k = 0; k < kTariffPages; ++k) {
        const std::string letter = KnownPageLetter(codes[k]) ? std::string(1, shown[k]) : "-";
        std::string &tab = k < 2 ? captions.Panel157 : captions.Panel158;
        tab += letter;
        if (k % 2 == 0) tab += "-";
        for (size_t i = 0; i < kPageTariffs; ++i)
            captions.ResultSlotPanels[4 * k + i] = letter + IntToStr(int(i) + 1);
    }
    return captions;
}

}  // namespace decoders
