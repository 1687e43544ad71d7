#include "device/decoders/novitius_text.h"

#include "decoder_fixture.h"

namespace decoders {
namespace {

using NovitiusText = DecoderTest;

// Lines joined with CR, each ended by one.
std::vector<uint8_t> Lines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) text.append(line).append("\r");
    return ToBytes(text);
}

TEST_F(NovitiusText, LineSplitting) {
    const NovitiusLines lines(ToBytes("a.b\r\n12.5\r\rtail"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "a,b");
    EXPECT_EQ(lines[1], "\n12,5");  // a line feed stays
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "");  // text after the last CR is dropped
    EXPECT_EQ(NovitiusLines(ToBytes("no line end")).size(), 0u);
    EXPECT_EQ(NovitiusLines({})[500], "");
}

TEST_F(NovitiusText, Identification) {
    const auto text = Lines({"x", "8.00", "3.20", "1.00", "x", "5000", "x", "WX 1234A", "x", "Taxi e",
                             "012345", "0", "x", "x", "x", "3"});
    const NovitiusIdentity id = GetDataNovitius(text);
    EXPECT_EQ(id.OplP, "8,00");
    EXPECT_EQ(id.JT, "3,20");
    EXPECT_EQ(id.Jdopl, "1,00");
    EXPECT_EQ(id.Edit107, "5000");
    EXPECT_EQ(id.Edit110, "WX 1234A");
    EXPECT_EQ(id.Edit20, "Taxi e");
    ASSERT_TRUE(id.Preset);
    EXPECT_EQ(id.Preset->Edit24, "1.03");
    EXPECT_EQ(id.Preset->Edit434, "A481");
    EXPECT_EQ(id.Preset->Edit23, "PL 16 001/MI-007");
    EXPECT_EQ(id.Edit21, "012345");
    EXPECT_EQ(id.Edit25, "OSTATNIA AKTYWNA");
    EXPECT_EQ(id.Edit12, "D");
}

TEST_F(NovitiusText, IdentificationChoices) {
    const struct {
        const char *type, *cashTariff, *system;
        const char *version;  // nothing: no preset
        std::optional<std::string> edit12;
    } cases[] = {
        {"Txe", "1", "0", "1.00", "S"},
        {"Taxi e ", "", "1", nullptr, "S"},
        {"taxi e", "2", "2", nullptr, "D"},
        {"", "0", "4", nullptr, std::nullopt},
    };
    for (const auto &c : cases) {
        const auto text =
            Lines({"", "", "", "", "", "", "", "", "", c.type, "", c.cashTariff, "", "", "", c.system});
        const NovitiusIdentity id = GetDataNovitius(text);
        EXPECT_EQ(id.Preset.has_value(), c.version != nullptr) << c.type;
        if (c.version) {
            EXPECT_EQ(id.Preset->Edit24, c.version);
        }
        EXPECT_EQ(id.Edit25, std::string_view(c.cashTariff) == "0" ? "OSTATNIA AKTYWNA" : c.cashTariff);
        EXPECT_EQ(id.Edit12, c.edit12) << c.system;
    }
    // A message without lines: every text empty, the system unchanged.
    const NovitiusIdentity empty = GetDataNovitius({});
    EXPECT_EQ(empty.OplP, "");
    EXPECT_EQ(empty.Edit25, "");
    EXPECT_FALSE(empty.Preset);
    EXPECT_FALSE(empty.Edit12);
}

TEST_F(NovitiusText, Tariffs) {
    const auto text = Lines({"", "", "", "3.00", "60.00", "1", "", "1500", "x"});
    const auto t = GetTaryfyNovitius(text, 3);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->Tariff, 3);
    EXPECT_EQ(t->OplD, "3,00");
    EXPECT_EQ(t->OplC, "60,00");
    EXPECT_TRUE(t->Enabled);
    EXPECT_EQ(t->Cps, "1,500");
    EXPECT_FALSE(t->Dps);  // not a number: the edit keeps its text
    EXPECT_FALSE(GetTaryfyNovitius(Lines({"", "", "", "", "", "0"}), 8)->Enabled);
    EXPECT_TRUE(GetTaryfyNovitius({}, 1)->Enabled);  // a missing line is not "0"
    for (int tariff : {0, 9, -1, 255}) EXPECT_FALSE(GetTaryfyNovitius(text, tariff)) << tariff;
}

TEST_F(NovitiusText, TripTariff) {
    const struct {
        const char *line;
        int tariff;
    } cases[] = {{"3", 3}, {"7", 7}, {"8", 0}, {"-1", 0}, {"abc", 0}, {"", 0}, {"3.0", 0}};
    for (const auto &c : cases) {
        const NovitiusTrip trip = GetKursNovitius(Lines({"", "", c.line, "", "2024-05-17 12:00"}));
        EXPECT_EQ(trip.Tariff, c.tariff) << c.line;
        EXPECT_EQ(trip.TripTime, "2024-05-17 12:00");
    }
    const NovitiusTrip none = GetKursNovitius(ToBytes("no CR at all"));
    EXPECT_EQ(none.Tariff, 0);
    EXPECT_EQ(none.TripTime, "");
}

TEST_F(NovitiusText, ShortMessagesCarryNoData) {
    // A K-line message of L bytes carries max(0, L - 3) text bytes after its header.
    const auto message = ToBytes(
        "\x2E\xF2\x14"
        "1\r2\r");
    EXPECT_EQ(NovitiusLines(DataFrom(message, 3)).size(), 2u);
    for (size_t length : {0, 1, 2, 3})
        EXPECT_EQ(NovitiusLines(DataFrom(Bytes(message).first(length), 3)).size(), 0u) << length;
}

}  // namespace
}  // namespace decoders
