#include "storage/field_values.h"

#include <cmath>
#include <limits>

#include "platform/runtime/errors.h"
#include "platform/runtime/numbers.h"

namespace storage {

std::string LineList(const std::vector<std::string> &lines) {
    std::string text;
    for (const std::string &line : lines) text += line + "\r\n";
    return text;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

std::string LineOf(const std::vector<std::string> &lines, size_t index) {
    return index < lines.size() ? lines[index] : std::string();
}

std::optional<int32_t> WholeNumber(std::string_view text) {
    try {
        return StrToInt(text);
    } catch (const EConvertError &) {
        return std::nullopt;
    }
}

int32_t Thousandths(float value) {
    const double scaled = std::trunc(static_cast<double>(value * 1000.0f));
    if (std::isnan(scaled)) return 0;
    if (scaled >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (scaled <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(scaled);
}

}  // namespace storage
