#pragma once
// Time limits in tests are multiplied by this factor, which allows for the slowdown of the
// sanitizer builds (and of a loaded machine running them).
namespace test_support {

#ifdef STATION_SANITIZED
inline constexpr int kSlowdown = 10;
#else
inline constexpr int kSlowdown = 1;
#endif

}  // namespace test_support
