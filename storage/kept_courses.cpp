#include "storage/kept_courses.h"

#include <charconv>
#include <limits>
#include <vector>

#include "storage/field_values.h"

namespace storage {

namespace {

// The lines of a caption, split at each CR LF (an empty caption is one empty line).
std::vector<std::string> CaptionLines(const std::string &caption) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = caption.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(caption.substr(start, end - start));
    lines.push_back(caption.substr(start));
    return lines;
}

class Writer {
public:
    void Number(uint32_t value) { lines_.push_back(std::to_string(value)); }
    void Caption(const std::string &caption) {
        const std::vector<std::string> lines = CaptionLines(caption);
        Number(static_cast<uint32_t>(lines.size()));
        lines_.insert(lines_.end(), lines.begin(), lines.end());
    }
    std::string Text() const { return LineList(lines_); }

private:
    std::vector<std::string> lines_;
};

// Reads the lines back in the order the writer wrote them; any line that does not read as
// expected makes the whole text unreadable.
class Reader {
public:
    explicit Reader(std::string_view text) : lines_(SplitLines(text)) {}
    template <class Integer>
    bool Number(Integer &value) {
        if (next_ >= lines_.size()) return false;
        const std::string &line = lines_[next_++];
        uint64_t number = 0;
        const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), number);
        if (error != std::errc() || end != line.data() + line.size() || line.empty() ||
            number > std::numeric_limits<Integer>::max())
            return false;
        value = static_cast<Integer>(number);
        return true;
    }
    bool Caption(std::string &caption) {
        uint32_t count = 0;
        if (!Number(count) || count == 0 || count > lines_.size() - next_) return false;
        caption = lines_[next_++];
        for (uint32_t i = 1; i < count; ++i) caption += "\r\n" + lines_[next_++];
        return true;
    }
    bool AtEnd() const { return next_ == lines_.size(); }

private:
    std::vector<std::string> lines_;
    size_t next_ = 0;
};

}  // namespace

std::string KeptCoursesText(const KeptCourses &kept) {
    Writer out;
    for (const KeptCourse &course : kept.courses) {
        out.Caption(course.heading);
        out.Caption(course.values);
        out.Number(course.tariffGroup);
        for (uint32_t units : course.tariffUnits) out.Number(units);
        out.Number(course.surchargeUnits);
    }
    out.Number(kept.tariff);
    for (uint8_t code : kept.pageCodes) out.Number(code);
    out.Number(kept.system);
    return out.Text();
}

std::optional<KeptCourses> ReadKeptCourses(std::string_view text) {
    Reader in(text);
    KeptCourses kept;
    for (KeptCourse &course : kept.courses) {
        if (!in.Caption(course.heading) || !in.Caption(course.values) || !in.Number(course.tariffGroup))
            return std::nullopt;
        for (uint32_t &units : course.tariffUnits)
            if (!in.Number(units)) return std::nullopt;
        if (!in.Number(course.surchargeUnits)) return std::nullopt;
    }
    if (!in.Number(kept.tariff)) return std::nullopt;
    for (uint8_t &code : kept.pageCodes)
        if (!in.Number(code)) return std::nullopt;
    if (!in.Number(kept.system) || !in.AtEnd()) return std::nullopt;
    return kept;
}

}  // namespace storage
