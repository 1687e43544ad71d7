#include "storage/field_values.h"

#include <cmath>
#include <limits>

namespace storage {

std::string LineList(const std::vector<std::string> &lines) {
    std::string text;
    for (const std::string &line : lines) text += line + "\r\n";
    return text;
}

int32_t Thousandths(float value) {
    const double scaled = std::trunc(static_cast<double>(value * 1000.0f));
    if (std::isnan(scaled)) return 0;
    if (scaled >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (scaled <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(scaled);
}

}  // namespace storage
