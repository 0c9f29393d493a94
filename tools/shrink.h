// Delta debugging of a failing action list: the shortest list found that
// still fails, by dropping ever smaller chunks, down to single lines.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orlavex::soak {

// Tells whether LINES fail; when they do, how many of them it took (the
// lines after that are dropped at once).
using FailsAfter = std::function<std::optional<std::size_t>(const std::vector<std::string>&)>;

// LINES must fail. Returns a sublist (in order) that still fails and from
// which no single line can be dropped.
std::vector<std::string> shrink(std::vector<std::string> lines, const FailsAfter& fails);

}  // namespace orlavex::soak
