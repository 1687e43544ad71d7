#pragma once
// The comment text of one frame of an animation; empty when it has none.
#include <string>

class TComment {
public:
    TComment() = default;
    explicit TComment(std::string text) : text_(std::move(text)) {}

    const std::string &GetComment() const { return text_; }
    void SetComment(std::string text) { text_ = std::move(text); }

private:
    std::string text_;
};
