// Arbitrary messages and records fed to every decoder of the taximeter link. The first byte
// picks the decoders' parameters, the rest is the message; decoders must read only inside it.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "device/decoders/course_records.h"
#include "device/decoders/field_conversion.h"
#include "device/decoders/identity_records.h"
#include "device/decoders/measuring_points.h"
#include "device/decoders/mid_counters.h"
#include "device/decoders/novitius_text.h"
#include "device/decoders/tariff_pages.h"
#include "device/decoders/totaliser_record.h"

namespace {

using decoders::Bytes;

void FieldConversions(Bytes message, uint8_t selector) {
    const size_t offset = selector % 16, count = selector / 16;
    for (uint8_t mode = 0; mode <= 3; ++mode)
        for (float divisor : {0.0F, 1.0F, 16.0F, 100.0F})
            decoders::ConvertDataTivar(message, offset, count, mode, divisor, 2);
    for (int32_t divisor : {0, 1, 1000}) decoders::BufToFloat(message, offset, count, 3, divisor);
}

void MeasuringPoints(Bytes message, uint8_t selector) {
    static const char *const kMeterConstants[] = {"1000", "0", "---", "-7", "2147483647"};
    const int32_t k = selector % 3 == 0 ? 0 : (selector % 3 == 1 ? 1 : 2147483647);
    const decoders::MeasuringPointInputs inputs{k, selector, (selector & 0x10) != 0 ? "D" : "S",
                                                kMeterConstants[selector % 5]};
    for (int code : {99, 100, 110, 163, 164, 165})
        decoders::FunctionsSup(code, message, selector & 0x0F, inputs);
}

// Records separated by 0x03, as the meter channel frames them; one store sees them all.
void CourseRecords(Bytes message, uint8_t selector) {
    decoders::CourseStore store;
    const decoders::CourseContext context{{'A', 0, 'C', 'D'}, selector};
    while (!message.empty()) {
        size_t length = 0;
        while (length < message.size() && message[length] != 0x03) ++length;
        decoders::GetDataTivarTIV(store, message.first(length), context);
        message = message.subspan(length == message.size() ? length : length + 1);
    }
}

// The message both as it stands and behind each own-family record prefix.
void OwnFamilyRecords(Bytes message, uint8_t selector) {
    static const char kPrefixes[][2] = {{'U', '1'}, {'u', '4'}, {'U', '0'},
                                        {'U', 'L'}, {'U', 'R'}, {'R', '3'}};
    for (const auto &prefix : kPrefixes) {
        std::vector<uint8_t> record(prefix, prefix + 2);
        record.insert(record.end(), message.begin(), message.end());
        for (const Bytes r : {Bytes(record), message}) {
            decoders::DecodeTariffPage(r);
            decoders::DecodeIdentityRecord(r);
            decoders::DecodeChangeCounters(r);
            uint8_t flag = selector & 1;
            decoders::DecodeTotaliserRecord(r, flag);
            if (const auto counters = decoders::DecodeOwnFamilyCounters(r)) {
                decoders::CountersOf(*counters);
                decoders::RegistersOf(*counters);
            }
        }
    }
}

void NovitiusMessages(Bytes message, uint8_t selector) {
    const Bytes text = decoders::DataFrom(message, 3);
    decoders::GetDataNovitius(text);
    decoders::GetTaryfyNovitius(text, selector % 10);
    decoders::GetKursNovitius(text);
    const decoders::NovitiusLines lines(text);
    decoders::CountersOf(lines);
    decoders::RegistersOf(lines);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0) return 0;
    // A copy of exactly the message's size, so ASan sees any read past its end.
    const std::vector<uint8_t> message(data + 1, data + size);
    const Bytes bytes(message);
    FieldConversions(bytes, data[0]);
    MeasuringPoints(bytes, data[0]);
    CourseRecords(bytes, data[0]);
    OwnFamilyRecords(bytes, data[0]);
    NovitiusMessages(bytes, data[0]);
    return 0;
}
