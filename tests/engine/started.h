// What the engine tests start from: a calculator that has just run its
// start-up, and the colours a user sees, written out as the values the
// window shows (BGR, system colours with the high bit) so that a mistyped
// colour constant in the engine shows up here.
#pragma once

#include "engine/calculator.h"
#include "window/handlers.h"

#include <cstdint>

namespace orlavex::test_support {

inline Calculator started() {
    Calculator calc = make_calculator();
    Form_Load(calc);
    return calc;
}

inline constexpr std::int64_t kGreen = 0x00FF00;
inline constexpr std::int64_t kYellow = 0x00FFFF;
inline constexpr std::int64_t kRed = 0x0000FF;
inline constexpr std::int64_t kLightRed = 0x8080FF;
inline constexpr std::int64_t kGrey = 0x808080;
inline constexpr std::int64_t kWindowBackground = 0x80000005;

}  // namespace orlavex::test_support
