#include "device/decoders/course_records.h"

#include "device/decoders/course_time.h"
#include "device/decoders/tivar_records.h"
#include "platform/runtime/numbers.h"

namespace decoders {

namespace {

void Store(CourseStore &store, size_t line, Bytes record, const TivarField &f) {
    store.KursData[line] = ReadField(record, f);
}

// A text read as a number where a comparison with the locale's zero is meant.
bool IsZero(const std::string &text) {
    const std::optional<long double> value = TextToNumber(text);
    return value && *value == 0;
}

// Fees per tariff from the unit counts: each count times the tariff unit; the sum of those that
// convert, plus the initial fee, goes to the sum line.
void Fees(CourseStore &store, Bytes record, size_t firstUnits, const std::optional<long double> &unit) {
    long double sum = 0;
    for (size_t i = 0; i < kCourseTariffs; ++i) {
        const std::optional<int32_t> units =
            TextToInt(ReadField(record, {firstUnits + 8 * i, 8, kHexDigits, 1, 0}));
        if (units) store.KursUnits[i] = *units;
        std::string &line = store.KursData[kFirstTariffFee + i];
        if (!units || !unit) {
            line = std::string(kNoValue);
            continue;
        }
        const long double fee = *units * *unit;
        sum += fee;
        line = FormatValue(fee, 2);
    }
    const std::optional<long double> initial = TextToNumber(store.KursData[kInitialFee]);
    store.KursData[kFeeSum] = initial ? FormatValue(sum + *initial, 2) : std::string(kNoValue);
}

std::optional<int32_t> Seconds(Bytes record, size_t position) {
    return TextToInt(ReadField(record, {position, 6, kHexDigits, 16, 0}));
}

CourseRecordResult CourseBegins(CourseStore &store, Bytes record, const CourseContext &context) {
    store.KursUnits.fill(-1);
    store.KursSurchargeUnits = -1;
    store.ClearMemoData();
    store.KursPageCodes = context.TariffPageCode2;
    store.KursTaryfa = context.KlineModeFlags;
    store.KursPageSel = (store.KursTaryfa >> 4) & 3;
    store.KursSystem = 0;
    ++store.KursLicznik;
    Store(store, kMeterNumber, record, {20, 6, kDecimalDigits, 1, 0});
    Store(store, kTariffUnit, record, {9, 6, kDecimalDigits, 100, 2});
    Store(store, kInitialFee, record, {1, 8, kDecimalDigits, 100, 2});
    Store(store, kSurchargeUnit, record, {26, 6, kDecimalDigits, 100, 2});
    CourseRecordResult result;
    result.CourseBegun = true;
    result.Label465 = "KURS: " + IntToStr(store.KursLicznik);
    return result;
}

CourseRecordResult CourseEnds(CourseStore &store, Bytes record) {
    auto &lines = store.KursData;
    Store(store, kMeterNumber, record, {170, 6, kDecimalDigits, 1, 0});
    const TivarField start{155, 10, kPlainText, 1, 0};
    lines[kCourseStart] = FieldPresent(record, start.position, start.width)
                              ? CourseStartText(ReadField(record, start))
                              : std::string(kNoValue);
    const std::optional<int32_t> duration = Seconds(record, 57);
    lines[kCourseEnd] = duration ? CourseEndText(lines[kCourseStart], *duration) : std::string(kNoValue);
    Store(store, kDistance, record, {53, 4, kHexDigits, 10, 1});
    Store(store, kInitialFee, record, {85, 8, kDecimalDigits, 100, 2});
    Store(store, kTariffUnit, record, {93, 6, kDecimalDigits, 100, 2});
    const long double unit = TextToNumber(lines[kTariffUnit]).value_or(0);
    for (size_t i = 0; i < kCourseTariffs; ++i) {
        Store(store, kFirstTariffRate + i, record, {99 + 6 * i, 6, kHexDigits, 100, 2});
        Store(store, kSecondTariffRate + i, record, {123 + 8 * i, 8, kHexDigits, 100, 2});
    }
    Store(store, kMeterSurcharge, record, {47, 6, kDecimalDigits, 100, 2});
    Store(store, kDiscount, record, {73, 2, kDecimalDigits, 1, 0});
    Fees(store, record, 1, unit);
    Store(store, kMeterFeeSum, record, {39, 8, kDecimalDigits, 100, 2});
    Store(store, kAgreedPrice, record, {75, 8, kDecimalDigits, 100, 2});
    if (!IsZero(lines[kAgreedPrice])) {
        lines[kTotalFee] = lines[kAgreedPrice];
    } else {
        const auto fees = TextToNumber(lines[kMeterFeeSum]), surcharge = TextToNumber(lines[kMeterSurcharge]);
        lines[kTotalFee] = fees && surcharge ? FormatValue(*fees + *surcharge, 2) : std::string(kNoValue);
    }
    CourseRecordResult result;
    result.Label471 = "WOLNY";
    result.Label471Color = kStateFree;
    return result;
}

CourseRecordResult CourseStatus(CourseStore &store, Bytes record) {
    auto &lines = store.KursData;
    CourseRecordResult result;
    const bool tariff = record.size() > 1 && record[1] >= '0' && record[1] <= '3';
    result.Label471 = tariff ? "TARYFA" + std::string(1, static_cast<char>(record[1] + 1)) : "KASA";
    result.Label471Color = kStateRunning;
    if (const std::optional<int32_t> duration = Seconds(record, 55))
        lines[kCourseTime] = CourseDurationText(*duration);
    Store(store, kDistance, record, {51, 4, kHexDigits, 10, 1});
    Store(store, kDiscount, record, {41, 2, kDecimalDigits, 1, 0});
    Fees(store, record, 3, TextToNumber(lines[kTariffUnit]));
    const std::optional<int32_t> surcharges = TextToInt(ReadField(record, {35, 6, kHexDigits, 1, 0}));
    const std::optional<long double> surchargeUnit = TextToNumber(lines[kSurchargeUnit]);
    if (surcharges) store.KursSurchargeUnits = *surcharges;
    lines[kSurcharge] =
        surcharges && surchargeUnit ? FormatValue(*surcharges * *surchargeUnit, 2) : std::string(kNoValue);
    Store(store, kAgreedPrice, record, {43, 8, kDecimalDigits, 100, 2});
    if (!IsZero(lines[kAgreedPrice])) lines[kTotalFee] = lines[kAgreedPrice];
    return result;
}

}  // namespace

void CourseStore::ClearMemoData() {
    KursData.fill(std::string(kNoValue));
}

void CourseStore::ResetCourses() {
    KursLicznik = 0;
    KursSystem = 0;
    KursTaryfa = kNoCourse;
    KursPageCodes.fill(0);
    KursPageSel = 0;
    ClearMemoData();
}

CourseRecordResult GetDataTivarTIV(CourseStore &store, Bytes record, const CourseContext &context) {
    if (record.empty()) return {};
    CourseRecordResult result;
    switch (record[0]) {
        case 'B':
            result = CourseBegins(store, record, context);
            break;
        case 'E':
            result = CourseEnds(store, record);
            break;
        case 'K':
            result = CourseStatus(store, record);
            break;
        default:
            return {};
    }
    result.Decoded = true;
    return result;
}

}  // namespace decoders
