#include "platform/d2xx/sim_scenario.h"

#include <charconv>

#include "platform/d2xx/capture_description.h"

namespace d2xx {
namespace {

std::string_view Trimmed(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const std::size_t last = line.find_last_not_of(" \t\r");
    return line.substr(first, last - first + 1);
}

}  // namespace

bool ParseScenario(std::string_view text, std::vector<ScenarioStep> &steps, std::string &error) {
    std::vector<ScenarioStep> parsed;
    std::uint64_t at = 0;
    std::size_t number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        const std::string_view line = Trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.rfind("pause", 0) == 0) {
            const std::string_view value = Trimmed(line.substr(5));
            std::uint32_t ms = 0;
            const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), ms);
            if (ec != std::errc() || ptr != value.data() + value.size()) {
                error = "line " + std::to_string(number) + ": pause needs milliseconds";
                return false;
            }
            at += ms;
            continue;
        }
        if (line == "wait" || line.rfind("wait ", 0) == 0) {
            parsed.push_back({false, at, {}, true, std::string(Trimmed(line.substr(4)))});
            at += kScenarioStepMs;
            continue;
        }
        Bytes bytes;
        std::string lineError;
        if (!ParseCaptureDescription(line, bytes, lineError)) {
            // The description counts this one line as line 1.
            error = "line " + std::to_string(number) + lineError.substr(lineError.find(':'));
            return false;
        }
        if (bytes.empty() && (line.empty() || line[0] == '#')) continue;
        parsed.push_back({line.rfind("record", 0) == 0, at, std::move(bytes), false, {}});
        at += kScenarioStepMs;
    }
    steps = std::move(parsed);
    return true;
}

}  // namespace d2xx
