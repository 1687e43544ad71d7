// The window-less rows of the K-line dispatch: which row a message is, and the rows computed from
// the message's bytes.
#include <gtest/gtest.h>

#include <vector>

#include "device/kline_dispatch.h"
#include "platform/runtime/numbers.h"

namespace {

using device::KlineMessage;
using device::KlineRow;

struct RowCase {
    std::vector<std::uint8_t> data;
    KlineRow row;
};

TEST(KlineDispatchRows, EveryRowOfTheTablesAndWhatIsIgnored) {
    const RowCase cases[] = {
        {{0x2E, 0xF3, 0x05}, KlineRow::PointResult},
        {{0x2E, 0xF1, 0x9A, 'a'}, KlineRow::InterfaceText},
        {{0x2E, 0xF1, 0x9B, 'a'}, KlineRow::None},
        {{0x2E, 0xF7, 0x80, 1, 2}, KlineRow::TestSelection},
        {{0x2E, 0xF7, 'U', '1'}, KlineRow::TivarData},
        {{0x2E, 0xF6, 0x31}, KlineRow::TariffSelect},
        {{0x2E, 0xF5, 0x01, 0x0C}, KlineRow::Status},
        {{0x2E, 0xF5, 0x02, '+'}, KlineRow::GeneratorAccuracy},
        {{0x2E, 0xF5, 0x03}, KlineRow::None},
        {{0x2E, 0xF9, 0x18, 1, 2, 3}, KlineRow::StationConstant},
        {{0x2E, 0xF9, 0x08, 7}, KlineRow::SlotDeviceByte},
        {{0x2E, 0xF9, 0x1D}, KlineRow::ThirdCounter},
        {{0x2E, 0xF9, 0x2C}, KlineRow::SetSpeed},
        {{0x2E, 0xF9, 0x1C}, KlineRow::SecondCounter},
        {{0x2E, 0xF9, 0x0B}, KlineRow::MeterDate},
        {{0x2E, 0xF9, 0x0C}, KlineRow::None},
        {{0x2E, 0xF2, 0x00}, KlineRow::NovitiusIdentity},
        {{0x2E, 0xF2, 0x15}, KlineRow::NovitiusCounters},
        {{0x2E, 0xF2, 0x14}, KlineRow::NovitiusTrip},
        {{0x2E, 0xF2, 0x16, 0, 0}, KlineRow::ZtAccepted},
        {{0x2E, 0xF2, 0x16}, KlineRow::ZtAccepted},  // missing bytes read 0
        {{0x2E, 0xF2, 0x16, 0, 1}, KlineRow::None},
        {{0x2E, 0xF2, 0x17}, KlineRow::InterfaceId},
        {{0x2E, 0xF2, 0x18}, KlineRow::InterfaceVersion},
        {{0x2E, 0xF2, 0x19}, KlineRow::None},
        {{0x2E, 0xF8, 0x03}, KlineRow::NovitiusTariff},
        {{0x2E, 0xFD, 0x0D, 9}, KlineRow::FirstCounter},
        {{0x2E, 0xFD, 0x0E, 9}, KlineRow::None},
        {{0x2E, 0xF4, 0x55}, KlineRow::ChangeBefore},
        {{0x2E, 0xF4, 0x75}, KlineRow::ChangeAfter},
        {{0x2E, 0xF4, 0x76}, KlineRow::None},
        {{0x2E, 0xE3, 0x01, 0, 'R'}, KlineRow::TotaliserTestStart},
        {{0x2E, 0xE3, 0x02, 0, 'R'}, KlineRow::TotaliserDistance},
        {{0x2E, 0xE3, 0x07, 0, 'R'}, KlineRow::TotaliserRecord},
        {{0x2E, 0xE7, 0x00}, KlineRow::ZtResults},
        {{0x2E, 0x11}, KlineRow::None},
        {{0x2E}, KlineRow::None},
        {{0x2F, 0xF7, 0x80}, KlineRow::LayoutChangeBefore},
        {{0x2F, 0xF7, 0x81}, KlineRow::LayoutChangeAfter},
        {{0x2F, 0xF7, 0x82, 0x05}, KlineRow::LayoutChangeMask},
        {{0x2F, 0xF7, 0x83}, KlineRow::None},
        {{0x2F, 0xF6, 0x80}, KlineRow::None},
        {{0x82}, KlineRow::RunEnd},
        {{0x82, 0xFF, 0x00}, KlineRow::RunEnd},
        {{0x83}, KlineRow::None},
        {{}, KlineRow::None},
    };
    for (const RowCase &c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.data));
        EXPECT_EQ(device::ClassifyKlineMessage(KlineMessage(std::span<const std::uint8_t>(c.data))), c.row);
    }
}

TEST(KlineDispatchRows, BytesBeyondTheMessageReadZeroAndAreNeverTaken) {
    // A message in a slot that held a longer one before: the slot's earlier bytes are not read.
    device::KlineMessageRing ring;
    const std::vector<std::uint8_t> longer{0x2E, 0xF9, 0x18, 0x10, 0x27, 0x05};
    const std::vector<std::uint8_t> shorter{0x2E, 0xF9, 0x18, 0x10};
    for (std::uint32_t i = 0; i < device::KlineMessageRing::kSlots; ++i) {
        ring.Push(longer);
        ring.Pop();
    }
    ring.Push(shorter);
    const KlineMessage m(ring.Front());
    EXPECT_EQ(m.size(), 4u);
    EXPECT_EQ(m.Count24(), 0x10);
    EXPECT_TRUE(m.From(4).empty());
    EXPECT_EQ(m.Text(3), "\x10");

    const std::vector<std::uint8_t> constant{0x2E, 0xF9, 0x18, 0x10, 0x27, 0x00};
    EXPECT_EQ(KlineMessage(std::span<const std::uint8_t>(constant)).Count24(), 10000);
}

TEST(KlineDispatchRows, TestSelectionByLayoutChoice) {
    struct Case {
        std::uint8_t choice, index, sel, flags, layout;
    };
    const Case cases[] = {
        {0, 2, 2, 0x02, 0}, {1, 2, 6, 0x12, 0}, {2, 2, 2, 0x22, 8}, {3, 2, 6, 0x32, 8}, {9, 3, 3, 0x03, 0},
    };
    for (const Case &c : cases) {
        const device::TestSelection s = device::SelectTest(c.choice, c.index);
        EXPECT_EQ(s.TestTariffSel, c.sel) << int(c.choice);
        EXPECT_EQ(s.KlineModeFlags, c.flags) << int(c.choice);
        EXPECT_EQ(s.ScheduledLayout, c.layout) << int(c.choice);
    }
}

TEST(KlineDispatchStatus, FirstStatusFixesTheModeALaterOneInTheOtherSystemWarns) {
    device::StatusOutcome first = device::HandleStatus({0x0C, 0, 0, 0, false});
    EXPECT_EQ(first.CalcModeState, 2);
    EXPECT_EQ(first.Edit108, "D");
    EXPECT_EQ(first.ResultsAccepted, 1);
    EXPECT_EQ(first.KursSystem, std::optional<std::uint8_t>('D'));
    EXPECT_FALSE(first.Warning);

    device::StatusOutcome later = device::HandleStatus({0x00, first.CalcModeState, 0, 0, false});
    EXPECT_EQ(later.CalcModeState, 2);
    EXPECT_EQ(later.Edit108, "D");
    EXPECT_EQ(later.ResultsAccepted, 0);
    EXPECT_FALSE(later.KursSystem);
    ASSERT_TRUE(later.Warning);
    EXPECT_EQ(later.Warning->first, "Aktualny tryb obliczania 'D'");
    EXPECT_EQ(later.Warning->second, "Odebrane wyniki są w 'S'");

    const device::StatusOutcome sWarn = device::HandleStatus({0x0C, 1, 0, 0, false});
    ASSERT_TRUE(sWarn.Warning);
    EXPECT_EQ(sWarn.Warning->first, "Aktualny tryb obliczania 'S'");
    EXPECT_EQ(sWarn.Edit108, "S");
}

TEST(KlineDispatchStatus, MeasurementSourceTimeFlagAndRelativeToK) {
    struct Case {
        std::uint8_t status, vehicle, leg;
        bool zt;
        std::uint8_t accepted, vehicleOut, legOut, relative, x10;
        bool warning;
    };
    const Case cases[] = {
        // After the reset a result from the vehicle switches the source on.
        {0x10, 0, 0xFF, false, 1, 1, 1, 0, 0, false},
        {0x00, 0, 0xFF, false, 1, 0, 0xFF, 0, 0, false},
        // Once on: vehicle results accepted; a vehicle measurement without them warns.
        {0x10, 1, 1, false, 1, 1, 1, 0, 0, false},
        {0x08, 1, 1, false, 0, 1, 1, 1, 0, true},
        {0x00, 1, 1, false, 1, 1, 1, 1, 0, false},
        // Any other state leaves the source alone.
        {0x08, 0, 0, false, 1, 0, 0, 0, 0, false},
        // "CZAS x10" only outside the ZT regime.
        {0x80, 0, 0, false, 1, 0, 0, 0, 1, false},
        {0x80, 0, 0, true, 1, 0, 0, 0, 0, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << int(c.status) << " vehicle " << int(c.vehicle) << " leg "
                                          << int(c.leg));
        const device::StatusOutcome s = device::HandleStatus({c.status, 0, c.vehicle, c.leg, c.zt});
        EXPECT_EQ(s.ResultsAccepted, c.accepted);
        EXPECT_EQ(s.VehicleResults, c.vehicleOut);
        EXPECT_EQ(s.LegPendingA, c.legOut);
        EXPECT_EQ(s.CalcRelativeToK, c.relative);
        EXPECT_EQ(s.CzasX10, c.x10);
        EXPECT_EQ(s.Warning.has_value(), c.warning);
        if (c.warning) {
            EXPECT_EQ(s.Warning->first, "Aktualny pomiar z pojazdu.");
        }
    }
}

TEST(KlineDispatchBytes, GeneratorAccuracyMeterDateAndChangedTariffs) {
    FormatSettings.DecimalSeparator = ',';
    const auto accuracy = [](std::vector<std::uint8_t> text) {
        std::vector<std::uint8_t> data{0x2E, 0xF5, 0x02};
        data.insert(data.end(), text.begin(), text.end());
        return device::GeneratorAccuracy(KlineMessage(std::span<const std::uint8_t>(data)));
    };
    EXPECT_EQ(accuracy({'+', '0', '.', '8', '6', '4'}), "+0,001000");
    EXPECT_EQ(accuracy({'-', '8', '.', '6', '4', ' '}), "-0,010000");
    EXPECT_EQ(accuracy({'1', '2', '3', '4', '5', '6'}), "1" + FloatToStrF(23456.0f / 864, 10, 6));
    EXPECT_EQ(accuracy({'+', '+', '+', 'x', 'y', 'z'}), "---");
    EXPECT_EQ(accuracy({}), "---");

    const std::vector<std::uint8_t> date{0x2E, 0xF9, 0x0B, 0x30, 0x14, 0x20, 0x09, 0x23, 0x20};
    const device::MeterDate d = device::DecodeMeterDate(KlineMessage(std::span<const std::uint8_t>(date)));
    EXPECT_EQ(d.Date, "2023-09-20");
    EXPECT_EQ(d.DateTime, "2023-09-20 / 14:30");

    EXPECT_EQ(device::GetChangeTar(0x00), "");
    EXPECT_EQ(device::GetChangeTar(0x55), "1,2,3,4");
    EXPECT_EQ(device::GetChangeTar(0x14), "2,3");
    EXPECT_EQ(device::GetChangeTar(0xAA), "");
}

}  // namespace
