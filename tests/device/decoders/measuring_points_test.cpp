#include "device/decoders/measuring_points.h"

#include "decoder_fixture.h"

namespace decoders {
namespace {

using MeasuringPoints = DecoderTest;

// A point message from d3: n, the fraction and the measured value in thousandths.
std::vector<uint8_t> PointData(uint32_t n, uint16_t fraction, uint32_t thousandths) {
    std::vector<uint8_t> data;
    for (int i = 0; i < 4; ++i) data.push_back(static_cast<uint8_t>(n >> (8 * i)));
    data.push_back(static_cast<uint8_t>(fraction));
    data.push_back(static_cast<uint8_t>(fraction >> 8));
    for (int i = 0; i < 4; ++i) data.push_back(static_cast<uint8_t>(thousandths >> (8 * i)));
    return data;
}

MeasuringPointInputs Inputs(int32_t k, const char *mode = "S", uint8_t status = 0,
                            const char *meterK = "1000") {
    return {k, status, mode, meterK};
}

TEST_F(MeasuringPoints, RowsAndPointNumbers) {
    const struct {
        int code;
        int row;
        const char *number;
    } cases[] = {{100, 0, "1"}, {109, 9, "10"}, {120, 9, "21"}, {163, 9, "64"}};
    const auto data = PointData(1, 0, 1);
    for (const auto &c : cases) {
        const auto r = FunctionsSup(c.code, data, 0, Inputs(1000));
        EXPECT_TRUE(r.IsPoint);
        EXPECT_EQ(r.Row, c.row) << c.code;
        EXPECT_EQ(r.PointNumber, c.number) << c.code;
    }
}

TEST_F(MeasuringPoints, ResultsSystemChoosesTheArrays) {
    const auto data = PointData(1500, 0x80, 12345);
    const struct {
        const char *mode;
        uint8_t status;
        uint8_t system, arrays;
        bool stationDistance, measured;
    } cases[] = {
        {"S", 0x00, 0, 0x03, false, true},
        {"S", 0x08, 1, 0x0C, true, false},
        {"D", 0x00, 2, 0x0F, true, true},
        {"D ", 0x08, 1, 0x0C, true, false},  // only "D" exactly
    };
    for (const auto &c : cases) {
        const auto r = FunctionsSup(105, data, 0, Inputs(1000, c.mode, c.status));
        EXPECT_EQ(r.ResultsSystem, c.system) << c.mode << int(c.status);
        EXPECT_EQ(r.PointNumberArrays, c.arrays) << c.mode << int(c.status);
        EXPECT_EQ(r.Array3Value.has_value(), c.stationDistance);
        EXPECT_EQ(r.Array4Value.has_value(), c.stationDistance);
        EXPECT_EQ(r.DeviceRowDistance.has_value(), c.stationDistance);
        EXPECT_EQ(r.MeasuredValue.has_value(), c.measured);
        if (c.stationDistance) {
            EXPECT_EQ(*r.Array3Value, "1500,500");
            EXPECT_EQ(*r.DeviceRowDistance, "1500,500");
        }
        if (c.measured) {
            EXPECT_EQ(*r.MeasuredValue, "12,345");
        }
    }
}

TEST_F(MeasuringPoints, DistanceFromImpulses) {
    const struct {
        uint32_t n;
        uint16_t fraction;
        uint8_t status;
        int32_t k;
        const char *expected;
    } cases[] = {
        {1500, 0, 0x08, 1000, "1500,000"},
        {1500, 0x80, 0x08, 1000, "1500,500"},   // 128/256 impulse
        {1500, 0x800, 0x09, 1000, "1500,500"},  // 2048/4096 impulse
        {1000, 0, 0x08, 3000, "333,333"},
        {0xFFFFFFFF, 0xFFFF, 0x08, 10000, "429496768,000"},  // binary32 at every step
    };
    for (const auto &c : cases) {
        const auto r = FunctionsSup(100, PointData(c.n, c.fraction, 0), 0, Inputs(c.k, "S", c.status, "---"));
        EXPECT_EQ(r.Array3Value, c.expected) << c.n << "/" << c.k;
        EXPECT_EQ(r.DeviceRowDistance, "---");  // the meter's constant is not a number
    }
}

TEST_F(MeasuringPoints, ConstantsOfZero) {
    const auto data = PointData(1500, 0, 1);
    // No station constant: the distance stores keep their texts.
    auto r = FunctionsSup(100, data, 0, Inputs(0, "D"));
    EXPECT_FALSE(r.Array3Value);
    EXPECT_FALSE(r.DeviceRowDistance);
    EXPECT_EQ(r.MeasuredValue, "0,001");
    // A meter constant of 0 fails only its own distance, whatever the results system.
    for (const char *mode : {"S", "D"}) {
        r = FunctionsSup(100, data, 0, Inputs(1000, mode, 0, "0"));
        EXPECT_EQ(r.DeviceRowDistance, "---") << mode;
    }
}

TEST_F(MeasuringPoints, ShortMessagesGiveNoStaleValues) {
    const auto full = PointData(1500, 0x80, 12345);
    for (size_t length : {0, 3, 4, 5}) {
        const auto r = FunctionsSup(100, Bytes(full).first(length), 0, Inputs(1000, "D"));
        EXPECT_EQ(r.Array3Value, "---") << length;
        EXPECT_FALSE(r.Array4Value) << length;
        EXPECT_EQ(r.DeviceRowDistance, "---") << length;
        EXPECT_EQ(r.MeasuredValue, "---") << length;
        EXPECT_EQ(FunctionsSup(kTotalDistanceCode, Bytes(full).first(length), 0, Inputs(1000)).TotalDistance,
                  0.0F);
    }
    // Without the measured value only that text is missing.
    const auto r = FunctionsSup(100, Bytes(full).first(9), 0, Inputs(1000, "D"));
    EXPECT_EQ(r.Array3Value, "1500,500");
    EXPECT_EQ(r.MeasuredValue, "---");
    // An offset that moves the value past the end.
    EXPECT_EQ(FunctionsSup(100, full, 1, Inputs(1000, "D")).MeasuredValue, "---");
}

TEST_F(MeasuringPoints, TotalDistanceAndOtherCodes) {
    const auto data = PointData(1500, 0x80, 1);
    auto r = FunctionsSup(kTotalDistanceCode, data, 0, Inputs(1000, "D"));
    EXPECT_EQ(r.TotalDistance, 1500.5F);
    EXPECT_FALSE(r.IsPoint);
    EXPECT_FALSE(r.MeasuredValue);
    EXPECT_EQ(FunctionsSup(kTotalDistanceCode, data, 0, Inputs(0)).TotalDistance, 0.0F);
    for (int code : {0, 15, 99, 165, 255}) {
        r = FunctionsSup(code, data, 0, Inputs(1000, "D"));
        EXPECT_FALSE(r.IsPoint || r.TotalDistance || r.MeasuredValue || r.Array3Value) << code;
    }
}

}  // namespace
}  // namespace decoders
