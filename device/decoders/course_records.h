#pragma once
// Course records of an own-family meter on the meter channel: 'B' (course begins), 'E' (course
// ends) and 'K' (status of the running course), decoded into the store of the live display.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "device/decoders/field_conversion.h"

namespace decoders {

inline constexpr size_t kKursEntries = 100;
inline constexpr size_t kKursLines = 27;  // lines of the current course column
inline constexpr size_t kCourseTariffs = 4;
inline constexpr uint8_t kNoCourse = 0xFF;  // KursTaryfa before the first course

// Lines of KursData written by name.
enum KursLine : size_t {
    kMeterNumber = 0,
    kCourseStart = 1,
    kCourseEnd = 2,
    kCourseTime = 3,
    kDistance = 4,
    kInitialFee = 5,
    kTariffUnit = 6,
    kSurchargeUnit = 7,
    kFirstTariffRate = 8,    // 8..11
    kSecondTariffRate = 12,  // 12..15
    kFirstTariffFee = 16,    // 16..19
    kFeeSum = 20,
    kSurcharge = 21,
    kDiscount = 22,
    kAgreedPrice = 23,
    kMeterFeeSum = 24,
    kMeterSurcharge = 25,
    kTotalFee = 26
};

// Label colours of the meter state.
inline constexpr uint32_t kStateFree = 0x0000FF;     // red
inline constexpr uint32_t kStateRunning = 0x008000;  // green

// The course store the display reads.
struct CourseStore {
    std::array<std::string, kKursEntries> KursData;
    int32_t KursLicznik = 0;
    uint8_t KursTaryfa = kNoCourse;
    std::array<char, kCourseTariffs> KursPageCodes{};
    uint8_t KursPageSel = 0;
    uint8_t KursSystem = 0;
    std::array<int32_t, kCourseTariffs> KursUnits{-1, -1, -1, -1};
    int32_t KursSurchargeUnits = -1;

    CourseStore() { ClearMemoData(); }
    // Every entry of KursData becomes "---".
    void ClearMemoData();
    // The state at start-up and after a "Leg." reset.
    void ResetCourses();
};

// What a course begin takes from the rest of the window.
struct CourseContext {
    std::array<char, kCourseTariffs> TariffPageCode2{};
    uint8_t KlineModeFlags = 0;
};

// What the window shows besides the store.
struct CourseRecordResult {
    bool Decoded = false;                 // the record was a course record of one of the three types
    bool CourseBegun = false;             // the columns move right and the current column is cleared
    std::optional<std::string> Label465;  // heading of the current course
    std::optional<std::string> Label471;  // the meter's state
    std::optional<uint32_t> Label471Color;
};

// Decodes one record (byte 0 the type); any other type, or an empty record, changes nothing.
CourseRecordResult GetDataTivarTIV(CourseStore &store, Bytes record, const CourseContext &context);

}  // namespace decoders
