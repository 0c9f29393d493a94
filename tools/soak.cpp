// orlavex-soak: plays long random sessions of user actions on the window
// model and checks the window after every action. A broken rule prints the
// shortest action list found that still breaks one, as orlavex-drive lines.
#include "shrink.h"
#include "soak_session.h"

#include <charconv>
#include <iostream>
#include <string_view>

namespace {

template <typename T>
bool parse(std::string_view text, T& value) {
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    return res.ec == std::errc() && res.ptr == text.data() + text.size();
}

int usage() {
    std::cerr << "usage: orlavex-soak --seed N --actions M\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t seed = 1;
    long actions = 10000;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (i + 1 >= argc) return usage();
        const std::string_view value = argv[++i];
        if (arg == "--seed") {
            if (!parse(value, seed)) return usage();
        } else if (arg == "--actions") {
            if (!parse(value, actions) || actions < 0) return usage();
        } else {
            return usage();
        }
    }

    using namespace orlavex::soak;
    std::vector<std::string> played;
    const std::optional<Break> found = play_random(seed, actions, played);
    if (!found) {
        std::cout << "orlavex-soak: seed " << seed << ": " << actions
                  << " actions, every check held\n";
        return 0;
    }
    std::cout << "orlavex-soak: seed " << seed << ": after action " << found->lines << ": "
              << found->reason << '\n';
    const std::vector<std::string> shortest =
        shrink(played, [](const std::vector<std::string>& lines) -> std::optional<std::size_t> {
            const std::optional<Break> b = replay(lines);
            if (!b) return std::nullopt;
            return b->lines;
        });
    const std::optional<Break> last = replay(shortest);
    std::cout << "# " << shortest.size() << " lines that still break a check ("
              << (last ? last->reason : std::string("none")) << "):\n";
    for (const std::string& line : shortest)
        std::cout << line << '\n';
    return 1;
}
