// Playing driver lines on a freshly started window and checking the window
// after start-up and after every line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orlavex::soak {

struct Break {
    std::size_t lines;   // lines played, the breaking one included (0: start-up)
    std::string reason;  // the broken rule
};

// Replays LINES; the first broken rule, if any.
std::optional<Break> replay(const std::vector<std::string>& lines);

// Plays ACTIONS random actions drawn from SEED, appending each line to
// PLAYED; stops at the first broken rule.
std::optional<Break> play_random(std::uint64_t seed, long actions,
                                 std::vector<std::string>& played);

}  // namespace orlavex::soak
