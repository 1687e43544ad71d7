#include "barcode/text_functions.h"

#include <algorithm>

namespace barcode {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string TrimBlanks(const std::string &text) {
    std::size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

}  // namespace
}  // namespace barcode

bool CharInSet(char C, std::string_view S) {
    return S.find(C) != std::string_view::npos;
}

int StrToDec(std::string_view S, int Min, int Max, int &Position) {
    const std::size_t length = S.size();
    std::size_t i = 0;
    while (i < length && barcode::IsBlank(S[i])) ++i;
    const std::size_t firstDigit = i;
    long long value = 0;
    while (i < length && S[i] >= '0' && S[i] <= '9' && value * 10 + (S[i] - '0') <= Max) {
        value = value * 10 + (S[i] - '0');
        ++i;
    }
    if (i == firstDigit) {
        Position = static_cast<int>(length) + 1;
        return 0;
    }
    while (i < length && barcode::IsBlank(S[i])) ++i;
    Position = i == length && value >= Min ? 0 : static_cast<int>(i) + 1;
    return static_cast<int>(value);
}

void GetParameter(std::string_view S, int Length, int &Position, std::string &Parameter, char Close,
                  char Open, std::string_view Nested) {
    Parameter.clear();
    const std::size_t end = Length < 0 ? 0 : std::min(S.size(), static_cast<std::size_t>(Length));
    if (Position < 1 || static_cast<std::size_t>(Position) > end || S[Position - 1] != Open) return;
    std::string text;
    for (std::size_t i = Position; i < end; ++i) {
        if (S[i] == Close) {
            Parameter = text;
            Position = static_cast<int>(i) + 2;
            return;
        }
        text += S[i];
        if (S[i] != '\\' || i + 1 >= end) continue;
        text += S[++i];
        if (!CharInSet(S[i], Nested)) continue;
        while (i + 1 < end && S[i] != ']') text += S[++i];
    }
}

std::string GetParameterItem(std::string &S, bool Trim) {
    std::string item;
    std::size_t i = 0;
    for (; i < S.size() && S[i] != ','; ++i) {
        if (S[i] == '\\' && i + 1 < S.size() && CharInSet(S[i + 1], ",[]")) ++i;
        item += S[i];
    }
    S.erase(0, i < S.size() ? i + 1 : i);
    return Trim ? barcode::TrimBlanks(item) : item;
}

unsigned short CRC16(std::string_view S) {
    unsigned crc = 0;
    for (unsigned char byte : S) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0x8408 : crc >> 1;
    }
    return static_cast<unsigned short>(crc);
}
