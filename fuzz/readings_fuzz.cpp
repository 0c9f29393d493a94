// The readings reader. Any text either gives one FileError naming a line of
// the text, or complete readings: frequencies strictly rising, every level a
// finite power above zero, and every point read once or every one more than
// once.
#include "datafiles/file_error.h"
#include "datafiles/readings_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

using namespace orlavex::datafiles;

void require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const Readings readings = parse_readings(text, "fuzz.csv");
        const auto& points = readings.points;
        require(!points.empty(), "readings without a point");
        for (std::size_t i = 0; i < points.size(); ++i) {
            const ReadingsPoint& p = points[i];
            require(std::isfinite(p.freq_ghz) && p.freq_ghz > 0, "bad frequency");
            require(i == 0 || points[i - 1].freq_ghz < p.freq_ghz, "frequencies not rising");
            require(i == 0 || points[i - 1].line < p.line, "lines not rising");
            require(!p.readings.empty(), "a point without readings");
            require((p.readings.size() > 1) == readings.repeated, "single and repeated mixed");
            require(!p.freq2_ghz || (std::isfinite(*p.freq2_ghz) && *p.freq2_ghz > 0),
                    "bad output frequency");
            for (const LevelsMw& levels : p.readings) {
                for (const double mw : levels) {
                    require(std::isfinite(mw) && mw > 0, "a level not a finite power");
                }
            }
        }
    } catch (const FileError& error) {
        const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n') +
                                            std::count(text.begin(), text.end(), '\r') + 1);
        require(error.file() == "fuzz.csv", "the error names another file");
        require(error.line() >= 0 && error.line() <= lines, "the error names no line of the text");
        require(!error.message().empty(), "an error without a message");
    }
    return 0;
}
