#include "platform/tables/record_codec.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/runtime/errors.h"

using tables::FieldValue;
using tables::RecordView;
using tables::TableStructure;

namespace {

FieldValue Text(std::string text) {
    return {false, 0, std::move(text)};
}
FieldValue Number(int32_t number) {
    return {false, number, {}};
}

TEST(RecordCodec, RoundTripsEveryKindOfValue) {
    const TableStructure structure = TableStructure::FromLetters("ITIBTIBT");
    const std::vector<FieldValue> values = {
        Number(0),
        Text(std::string(300, 'x') + "\r\nŻółć\0end"),
        Number(std::numeric_limits<int32_t>::min()),
        Number(1),
        FieldValue{},
        Number(std::numeric_limits<int32_t>::max()),
        Number(0),
        FieldValue{},  // trailing empty fields are left out
    };
    const std::string stored = EncodeRecord(structure, values);
    RecordView view;
    view.Reset(reinterpret_cast<const uint8_t *>(stored.data()), stored.size(), structure);
    std::vector<FieldValue> read;
    ASSERT_TRUE(view.ReadAll(read));
    ASSERT_EQ(read.size(), values.size());
    for (size_t field = 0; field < values.size(); ++field) {
        EXPECT_EQ(read[field].isNull, values[field].isNull) << field;
        EXPECT_EQ(read[field].number, values[field].number) << field;
        EXPECT_EQ(read[field].text, values[field].text) << field;
    }
    std::string_view text;
    ASSERT_TRUE(view.ReadText(1, text));
    EXPECT_EQ(text, values[1].text);
}

TEST(RecordCodec, AShorterRecordReadsItsMissingFieldsAsEmpty) {
    const TableStructure structure = TableStructure::FromLetters("IITT");
    const std::string stored = EncodeRecord(TableStructure::FromLetters("II"), {Number(3), Number(-4)});
    RecordView view;
    view.Reset(reinterpret_cast<const uint8_t *>(stored.data()), stored.size(), structure);
    FieldValue value;
    ASSERT_TRUE(view.Read(3, value));
    EXPECT_TRUE(value.isNull);
    ASSERT_TRUE(view.Read(1, value));
    EXPECT_EQ(value.number, -4);
}

TEST(RecordCodec, DamagedRecordsAreReportedNotReadPastTheirEnd) {
    const TableStructure structure = TableStructure::FromLetters("TIB");
    struct Case {
        const char *what;
        std::string bytes;
    };
    const Case cases[] = {
        {"text longer than the record", std::string("\x10", 1) + "abc"},
        {"varint without an end", std::string(11, '\xFF')},
        {"varint cut short", std::string("\x81", 1)},
        {"integer beyond 32 bits", std::string("\x01\x81\x80\x80\x80\x40", 6)},
        {"boolean other than 0 or 1", std::string("\x01\x01\x06", 3)},
        {"bytes after the last field", std::string("\x01\x01\x01\x00", 4)},
        // A record never ends in an empty field: zeros at its end are a page the engine blanked.
        {"ends in an empty field", std::string("\x02" "a\x00", 3)},
        {"ends in an empty text", std::string("\x01", 1)},
    };
    for (const Case &c : cases) {
        RecordView view;
        view.Reset(reinterpret_cast<const uint8_t *>(c.bytes.data()), c.bytes.size(), structure);
        std::vector<FieldValue> values;
        EXPECT_FALSE(view.ReadAll(values)) << c.what;
    }
}

TEST(TableStructure, LettersRoundTripAndOneAutoNumberAtMost) {
    const TableStructure structure = TableStructure::FromLetters("ITBA");
    EXPECT_EQ(structure.autoNumberField, 3);
    EXPECT_EQ(structure.fieldTypes[3], tables::FieldType::Integer);
    EXPECT_EQ(structure.Letters(), "ITBA");
    EXPECT_THROW(TableStructure::FromLetters("AA"), EDatabaseError);
    EXPECT_THROW(TableStructure::FromLetters("IX"), EDatabaseError);
}

}  // namespace
