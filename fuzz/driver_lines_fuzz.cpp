// The driver's command reader over random input lines: it never crashes,
// exits 0 or 2, and reports each refused line once, by its number.
#include "drive/driver.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string script(reinterpret_cast<const char*>(data), size);
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream err;
    orlavex::Driver driver;
    const int status = driver.run_script(in, out, err);

    std::istringstream lines(script);
    long line_count = 0;
    for (std::string line; std::getline(lines, line);)
        ++line_count;
    long previous = 0;
    long reported = 0;
    std::istringstream errors(err.str());
    for (std::string line; std::getline(errors, line); ++reported) {
        const std::string prefix = "orlavex-drive: line ";
        char* end = nullptr;
        const long number =
            line.rfind(prefix, 0) == 0 ? std::strtol(line.c_str() + prefix.size(), &end, 10) : 0;
        if (number <= previous || number > line_count || end == nullptr || *end != ':') {
            std::fprintf(stderr, "bad error line: %s\n", line.c_str());
            std::abort();
        }
        previous = number;
    }
    if (status != (reported > 0 ? 2 : 0)) {
        std::fprintf(stderr, "status %d after %ld errors\n", status, reported);
        std::abort();
    }
    return 0;
}
