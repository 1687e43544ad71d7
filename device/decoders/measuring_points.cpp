#include "device/decoders/measuring_points.h"

#include <algorithm>
#include <cmath>

#include "platform/runtime/numbers.h"

namespace decoders {

namespace {

// Arrays 1 and 2 hold the measured values, arrays 3 and 4 the points received from the vehicle.
constexpr uint8_t kArrays12 = 0x03;
constexpr uint8_t kArrays34 = 0x0C;

uint8_t ResultsSystemOf(const MeasuringPointInputs &inputs) {
    if (inputs.Edit108 == "D") return 2;
    return (inputs.InterfaceStatus & kVehicleResults) != 0 ? 1 : 0;
}

std::optional<float> FiniteFloat(long double value) {
    const float rounded = static_cast<float>(value);
    if (!std::isfinite(rounded)) return std::nullopt;
    return rounded;
}

std::string DistanceText(const std::optional<float> &distance) {
    if (!distance) return std::string(kNoValue);
    return FormatValue(*distance, 3);
}

}  // namespace

std::optional<float> ImpulseDistance(Bytes data, size_t offset, uint8_t interfaceStatus, float k) {
    if (k == 0 || !std::isfinite(k) || !FieldPresent(data, 4, 2)) return std::nullopt;
    // The count goes through its text and back, as the station shows it.
    const std::optional<long double> n = TextToNumber(BufToFloat(data, offset, 4, 0, 1));
    if (!n) return std::nullopt;
    const long double base = (interfaceStatus & kFineFraction) != 0 ? 4096 : 256;
    const auto whole = FiniteFloat(static_cast<float>(*n) * 1000.0L / k);
    float fraction = static_cast<float>(data[5] * 256 + data[4]);
    const auto scaled = FiniteFloat(fraction * 1000.0L / base);
    if (!whole || !scaled) return std::nullopt;
    const auto part = FiniteFloat(*scaled / static_cast<long double>(k));
    if (!part) return std::nullopt;
    return FiniteFloat(static_cast<long double>(*whole) + *part);
}

MeasuringPointResult FunctionsSup(int code, Bytes data, size_t offset, const MeasuringPointInputs &inputs) {
    MeasuringPointResult result;
    if (code == kTotalDistanceCode) {
        result.TotalDistance = 0.0F;
        if (inputs.StationConstK != 0)
            result.TotalDistance = ImpulseDistance(data, offset, inputs.InterfaceStatus,
                                                   static_cast<float>(inputs.StationConstK))
                                       .value_or(0.0F);
        return result;
    }
    if (code < kFirstPointCode || code > kLastPointCode) return result;

    const int index = code - kFirstPointCode;
    result.IsPoint = true;
    result.Row = std::min(index, kLastPointRow);
    result.ResultsSystem = ResultsSystemOf(inputs);
    result.PointNumber = IntToStr(index + 1);
    const bool vehicle = result.ResultsSystem != 0;
    const bool measured = result.ResultsSystem != 1;
    result.PointNumberArrays = static_cast<uint8_t>((measured ? kArrays12 : 0) | (vehicle ? kArrays34 : 0));

    if (inputs.StationConstK != 0) {
        const auto station =
            ImpulseDistance(data, offset, inputs.InterfaceStatus, static_cast<float>(inputs.StationConstK));
        if (!station) {
            result.Array3Value = std::string(kNoValue);
        } else if (vehicle) {
            result.Array3Value = DistanceText(station);
            result.Array4Value = result.Array3Value;
        }
        const std::optional<int32_t> meterK = TextToInt(inputs.Edit107);
        const auto meter =
            meterK ? ImpulseDistance(data, offset, inputs.InterfaceStatus, static_cast<float>(*meterK))
                   : std::nullopt;
        if (!meter || vehicle) result.DeviceRowDistance = DistanceText(meter);
    }
    if (measured) result.MeasuredValue = BufToFloat(data, offset + 6, 4, 3, 1000);
    return result;
}

}  // namespace decoders
