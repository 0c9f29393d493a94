// Where a frequency falls in a table of records in rising frequency, which
// records give its values, and linear interpolation between them. Outside
// the table the nearest record holds, and the result says so.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>

namespace orlavex::datafiles {

enum class Placement {
    at_record,        // exactly at a record's frequency
    between_records,  // between two records: interpolated
    below_first,      // below the first record, which holds
    above_last,       // above the last record, which holds
};

struct RecordRef {
    std::size_t index;  // in the table's records
    double freq_hz;
    int line;  // in the file
};

struct AppliedRecords {
    Placement placement;
    RecordRef lower;  // the record that holds, or the one below when between
    RecordRef upper;  // the same as `lower` unless between records
    double weight;    // 0 at `lower` to 1 at `upper`; 0 unless between

    bool in_range() const {
        return placement == Placement::at_record || placement == Placement::between_records;
    }
    // Says which record(s) applied, for a sweep's note column: "record at
    // 2 GHz (line 7)", "between records at 2 GHz and 4 GHz (lines 7-8)",
    // "held from the nearest record, the first, at 10 MHz (line 5)".
    std::string note() const;

    // The value at the frequency, linear in frequency between records.
    double interpolate(double at_lower, double at_upper) const {
        if (weight == 0) return at_lower;
        const double step = at_upper - at_lower;
        // Values of opposite sign near the largest double: no overflow.
        if (!std::isfinite(step)) return (1 - weight) * at_lower + weight * at_upper;
        return at_lower + weight * step;
    }
};

// Locates `freq_hz` in `records` (not empty, each with `freq_hz` and `line`,
// frequencies strictly rising). Throws std::invalid_argument for a
// frequency that is not a finite number.
template <typename Record>
AppliedRecords locate(std::span<const Record> records, double freq_hz) {
    if (!std::isfinite(freq_hz)) {
        throw std::invalid_argument("a table lookup needs a finite frequency");
    }
    const auto ref = [&](std::size_t i) {
        return RecordRef{i, records[i].freq_hz, records[i].line};
    };
    const std::size_t last = records.size() - 1;
    if (freq_hz < records.front().freq_hz) {
        return {Placement::below_first, ref(0), ref(0), 0.0};
    }
    if (freq_hz > records.back().freq_hz) {
        return {Placement::above_last, ref(last), ref(last), 0.0};
    }
    const auto above =
        std::upper_bound(records.begin(), records.end(), freq_hz,
                         [](double f, const Record& record) { return f < record.freq_hz; });
    const auto i = static_cast<std::size_t>(above - records.begin()) - 1;
    if (records[i].freq_hz == freq_hz) return {Placement::at_record, ref(i), ref(i), 0.0};
    const double weight =
        (freq_hz - records[i].freq_hz) / (records[i + 1].freq_hz - records[i].freq_hz);
    return {Placement::between_records, ref(i), ref(i + 1), weight};
}

}  // namespace orlavex::datafiles
