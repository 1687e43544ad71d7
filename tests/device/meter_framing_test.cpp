// STX/ETX framing of the meter channel: the record cases, each record with its own length (a
// short record never shows an earlier one's bytes, empty records are no records), over-long
// records, and a full record ring that stops and resumes without losing a record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/meter_framing.h"
#include "link_fixtures.h"

namespace {

using device_test::Bytes;

Bytes Text(const std::string &text) {
    return Bytes(text.begin(), text.end());
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes &part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

void TakeRecords(device::MeterRecordRing &records, std::vector<Bytes> &into) {
    for (; !records.Empty(); records.Pop()) into.emplace_back(records.Front().begin(), records.Front().end());
}

// Frames `pieces` one after the other, taking the records after each framing step.
std::vector<Bytes> FramePieces(const std::vector<Bytes> &pieces) {
    device::MeterByteRing bytes;
    device::MeterRecordRing records;
    std::vector<Bytes> received;
    for (const Bytes &piece : pieces) {
        EXPECT_EQ(bytes.Append(piece), piece.size());
        device::FrameMeterRecords(bytes, records);
        TakeRecords(records, received);
    }
    return received;
}

TEST(MeterFraming, FramesAsTheCasesSay) {
    const Bytes longest(254, 'E');
    Bytes tooLong(255, 'E');
    struct Case {
        std::string name;
        std::vector<Bytes> pieces;
        std::vector<Bytes> records;
    };
    const std::vector<Case> cases = {
        {"one record", {Concat({{0x02}, Text("K123"), {0x03}})}, {Text("K123")}},
        {"an STX ends a record and starts the next", {Concat({{0x02}, Text("A"), {0x02}, Text("B"), {0x03}})},
         {Text("A"), Text("B")}},
        {"bytes outside records are ignored", {Concat({Text("xy"), {0x03, 0x02}, Text("B1"), {0x03}, Text("zz")})},
         {Text("B1")}},
        {"a record over two reads", {Concat({{0x02}, Text("E12")}), Concat({Text("34"), {0x03}})}, {Text("E1234")}},
        {"empty records are no records", {{0x02, 0x03}, {0x02, 0x02, 0x03}, {0x02, 0x02, 0x02}}, {}},
        {"254 payload bytes are a record", {Concat({{0x02}, longest, {0x03}})}, {longest}},
        {"255 payload bytes are dropped up to the next STX",
         {Concat({{0x02}, tooLong, Text("more"), {0x03}}), Concat({{0x02}, Text("K1"), {0x03}})}, {Text("K1")}},
    };
    for (const Case &c : cases) EXPECT_EQ(FramePieces(c.pieces), c.records) << c.name;
}

TEST(MeterFraming, ShortOrEmptyRecordsNeverShowAnEarlierRecord) {
    device::MeterByteRing bytes;
    device::MeterRecordRing records;
    std::vector<Bytes> received;
    // Nine records go round the eight slots; the ninth, short one reuses the slot of the first,
    // long one, and the empty ones between must not bring a decoded record back.
    const std::vector<Bytes> sent = {Text("E0123456789"), Text("B1"), Text("B2"), Text("B3"), Text("B4"),
                                     Text("B5"),          Text("B6"), Text("B7"), Text("K")};
    for (const Bytes &record : sent) {
        bytes.Append(Concat({{0x02}, record, {0x03, 0x02, 0x03, 0x02, 0x02}}));
        device::FrameMeterRecords(bytes, records);
        TakeRecords(records, received);
    }
    EXPECT_EQ(received, sent);
    EXPECT_EQ(records.WriteIndex, sent.size());
}

TEST(MeterFraming, FullRingsStopAndResumeLosingNothing) {
    device::MeterByteRing bytes;
    device::MeterRecordRing records;
    std::vector<Bytes> sent, received;
    Bytes stream;
    for (int i = 0; i < 12; ++i) {
        sent.push_back(Concat({Text("B"), Bytes(20, static_cast<std::uint8_t>('a' + i))}));
        stream = Concat({stream, {0x02}, sent.back(), {0x03}});
    }
    ASSERT_EQ(bytes.Append(stream), stream.size());
    // A full byte ring takes nothing more until the framer has read.
    ASSERT_EQ(bytes.Append(Bytes(512, 0x02)), 512 - stream.size());
    device::FrameMeterRecords(bytes, records);
    EXPECT_TRUE(records.Full());
    const auto readBefore = bytes.ReadIndex;
    device::FrameMeterRecords(bytes, records);
    EXPECT_EQ(bytes.ReadIndex, readBefore);

    TakeRecords(records, received);
    device::FrameMeterRecords(bytes, records);
    TakeRecords(records, received);
    EXPECT_EQ(received, sent);
}

}  // namespace
