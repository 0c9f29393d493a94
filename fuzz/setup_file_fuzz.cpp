// The set-up file reader. Any text either gives one SetupFileError of one
// line naming the file and a line of the text, or a complete set-up whose
// file, written again, reads back to the same file byte for byte.
#include "app/setup_file/setup_file.h"
#include "fuzz_require.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace orlavex::app;

using orlavex::fuzz::require;

void check_refusal(const SetupFileError& error, std::string_view text) {
    const std::string message = error.what();
    const std::string prefix = "fuzz.orlavex.json:";
    require(message.starts_with(prefix), "the message names another file");
    require(message.find('\n') == std::string::npos && message.find('\r') == std::string::npos,
            "the message is more than one line");
    const int line = std::atoi(message.c_str() + prefix.size());
    const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n') + 1);
    require(line >= 1 && line <= lines, "the message names no line of the text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const SweepRequest request = parse_setup_text(text, "fuzz.orlavex.json");
        const std::string written = setup_file_text(request);
        const SweepRequest again = parse_setup_text(written, "written.orlavex.json");
        require(setup_file_text(again) == written, "a written file does not read back the same");
    } catch (const SetupFileError& error) {
        check_refusal(error, text);
    }
    return 0;
}
