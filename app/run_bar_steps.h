#pragma once
// Pure steps of the measuring-run bar and of the printed date.
#include <QString>

namespace shell {

// The progress bar's next position: up by 10 each second, back to 0 once it reaches 100.
constexpr int NextProgressPosition(int position) { return position >= 100 ? 0 : position + 10; }

// "YYYY-MM-DD", month and day with a leading zero below 10.
QString DateText(int year, int month, int day);

}  // namespace shell
