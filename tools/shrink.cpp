#include "shrink.h"

#include <algorithm>

namespace orlavex::soak {

namespace {

// Keeps the first N lines; false when LINES pass.
bool still_fails(std::vector<std::string>& lines, const FailsAfter& fails) {
    const std::optional<std::size_t> used = fails(lines);
    if (!used) return false;
    lines.resize(std::min(*used, lines.size()));
    return true;
}

}  // namespace

std::vector<std::string> shrink(std::vector<std::string> lines, const FailsAfter& fails) {
    still_fails(lines, fails);
    std::size_t chunk = std::max<std::size_t>(lines.size() / 2, 1);
    for (;;) {
        bool dropped = false;
        for (std::size_t at = 0; at < lines.size();) {
            std::vector<std::string> trial;
            trial.reserve(lines.size());
            const std::size_t end = std::min(at + chunk, lines.size());
            trial.insert(trial.end(), lines.begin(), lines.begin() + static_cast<long>(at));
            trial.insert(trial.end(), lines.begin() + static_cast<long>(end), lines.end());
            if (still_fails(trial, fails)) {
                lines = std::move(trial);
                dropped = true;
            } else {
                at = end;
            }
        }
        if (chunk == 1 && !dropped) return lines;
        if (chunk > 1) chunk /= 2;
    }
}

}  // namespace orlavex::soak
