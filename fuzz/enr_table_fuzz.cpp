// The ENR table reader. Any text either gives one FileError naming a line of
// the text, or a complete table: records in strictly rising frequency with
// the same columns, whose lookups give each record's values at its own
// frequency, values between the neighbours' between them (the reflections
// both as magnitude and angle and as complex values), and the nearest
// record's outside the table.
#include "datafiles/enr_table.h"
#include "datafiles/file_error.h"
#include "fuzz_require.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

using namespace orlavex::datafiles;

using orlavex::fuzz::require;

bool within(double x, double a, double b) {
    // Rounding in the interpolation may step a unit past an end.
    const double slack = 1e-12 * std::max(std::fabs(a), std::fabs(b));
    return x >= std::min(a, b) - slack && x <= std::max(a, b) + slack;
}

void check_point(const EnrTable& table, double freq_hz) {
    const EnrPoint point = table.at(freq_hz);
    const auto& lower = table.records()[point.applied.lower.index];
    const auto& upper = table.records()[point.applied.upper.index];
    require(within(point.enr_db, lower.enr_db, upper.enr_db), "ENR outside its records");
    require(point.enr_unc_db.has_value() == table.has_uncertainty(), "uncertainty column lost");
    if (point.enr_unc_db) {
        require(within(*point.enr_unc_db, *lower.enr_unc_db, *upper.enr_unc_db),
                "uncertainty outside its records");
    }
    require(point.reflection.has_value() == table.has_reflection(), "reflection columns lost");
    if (point.reflection) {
        require(
            within(point.reflection->on_mag, lower.reflection->on_mag, upper.reflection->on_mag),
            "on magnitude outside its records");
        require(std::isfinite(point.reflection->on_deg) && std::isfinite(point.reflection->off_deg),
                "angle not finite");
        // Complex values between two inside the unit circle stay inside it.
        require(point.gamma && std::abs(point.gamma->on) <= 1 + 1e-12 &&
                    std::abs(point.gamma->off) <= 1 + 1e-12,
                "complex reflection outside the unit circle");
        require(within(point.gamma->on.real(), lower.reflection->on().real(),
                       upper.reflection->on().real()) &&
                    within(point.gamma->off.imag(), lower.reflection->off().imag(),
                           upper.reflection->off().imag()),
                "complex reflection outside its records");
    } else {
        require(!point.gamma, "complex reflection without the columns");
    }
    require(!point.applied.note().empty(), "no note");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const EnrTable table = parse_enr(text, "fuzz.enr");
        const auto records = table.records();
        require(!records.empty(), "a table without records");
        for (std::size_t i = 0; i < records.size(); ++i) {
            const EnrRecord& record = records[i];
            require(std::isfinite(record.freq_hz) && record.freq_hz > 0, "bad frequency");
            require(i == 0 || records[i - 1].freq_hz < record.freq_hz, "frequencies not rising");
            require(record.enr_unc_db.has_value() == table.has_uncertainty(), "columns differ");
            const EnrPoint point = table.at(record.freq_hz);
            require(point.applied.placement == Placement::at_record &&
                        point.applied.lower.index == i && point.enr_db == record.enr_db,
                    "a record's own frequency does not give the record");
            check_point(table, record.freq_hz);
            if (i + 1 < records.size()) {
                const double middle = record.freq_hz / 2 + records[i + 1].freq_hz / 2;
                check_point(table, middle);
            }
        }
        const EnrPoint below = table.at(records.front().freq_hz / 2);
        require(below.applied.placement == Placement::below_first && !below.applied.in_range() &&
                    below.enr_db == records.front().enr_db,
                "below the table the first record does not hold");
        const EnrPoint above = table.at(records.back().freq_hz * 2);
        require(above.applied.placement == Placement::above_last &&
                    above.enr_db == records.back().enr_db,
                "above the table the last record does not hold");
    } catch (const FileError& error) {
        const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n') +
                                            std::count(text.begin(), text.end(), '\r') + 1);
        require(error.file() == "fuzz.enr", "the error names another file");
        require(error.line() >= 0 && error.line() <= lines, "the error names no line of the text");
        require(!error.message().empty(), "an error without a message");
    }
    return 0;
}
