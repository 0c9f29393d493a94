// Reading a readings file; the format is described in readings_file.h.
#include "datafiles/readings_file.h"

#include "datafiles/file_error.h"
#include "datafiles/numbers.h"
#include "datafiles/text_lines.h"

#include <cmath>
#include <fstream>
#include <string>
#include <utility>

namespace orlavex::datafiles {
namespace {

constexpr std::size_t max_line_chars = 400;
constexpr std::size_t max_file_bytes = 256 * 1024 * 1024;

// What a column holds.
enum class Column { freq, freq2, noise_bw, tau, level };

struct ColumnName {
    std::string_view stem;  // the name before the unit
    Column column;
    std::size_t level = 0;       // for a level column
    std::string_view unit = {};  // for another column
    std::string_view what = {};  // what its values are
};

constexpr ColumnName column_names[] = {
    {"freq", Column::freq, 0, "ghz", "a frequency above 0 GHz"},
    {"freq2", Column::freq2, 0, "ghz", "a frequency above 0 GHz"},
    {"noise_bw", Column::noise_bw, 0, "hz", "a noise bandwidth above 0 Hz"},
    {"tau", Column::tau, 0, "s", "an integration time above 0 s"},
    {"cal_off", Column::level, cal_off},
    {"cal_on", Column::level, cal_on},
    {"meas_off", Column::level, meas_off},
    {"meas_on", Column::level, meas_on},
};

struct PowerUnit {
    std::string_view suffix;
    double mw;  // 0: dBm
};

constexpr PowerUnit power_units[] = {{"dbm", 0}, {"mw", 1}, {"w", 1e3}};

struct Field {
    Column column;
    std::size_t level;
    double unit_mw;  // 0 for dBm
    std::string_view what = {};
};

constexpr std::string_view expected_readings =
    "expected columns freq_ghz, cal_off_dbm, cal_on_dbm, meas_off_dbm, meas_on_dbm (levels in "
    "_dbm, _mw or _w; optional freq2_ghz)";
constexpr std::string_view expected_calibration =
    "expected columns freq_ghz, cal_off_dbm, cal_on_dbm (levels in _dbm, _mw or _w)";

bool is_calibration_level(const Field& f) {
    return f.column == Column::level && (f.level == cal_off || f.level == cal_on);
}

}  // namespace

std::optional<Level> falling_pair(const LevelsMw& levels, const std::array<bool, 4>& given) {
    for (const Level on : {cal_on, meas_on}) {
        const Level off = on == cal_on ? cal_off : meas_off;
        if (given[on] && given[off] && !(levels[on] > levels[off])) return on;
    }
    return std::nullopt;
}

namespace {

// Whether a row gives the calibration levels (as the rows before it must).
enum class CalibrationCells { unknown, given, empty };

class ReadingsReader {
  public:
    ReadingsReader(std::string_view name, ReadingsColumns columns)
        : name_(name), calibration_file_(columns == ReadingsColumns::calibration) {}

    Readings read(LineReader& lines) {
        TextLine line{};
        while (lines.next(line)) {
            line_ = line.number;
            const std::string_view content = trim_blanks(line.text);
            if (content.empty()) continue;
            if (fields_.empty()) {
                header(content);
            } else {
                row(content);
            }
        }
        line_ = 0;
        if (fields_.empty()) fail("no header: " + expected());
        if (readings_.points.empty()) fail("no readings after the header");
        check_counts();
        if (calibration_cells_ == CalibrationCells::empty) readings_.has_calibration = false;
        return std::move(readings_);
    }

  private:
    [[noreturn]] void fail(std::string message) const {
        throw FileError(std::string(name_), line_, std::move(message));
    }

    Field column_of(std::string_view name) const {
        for (const ColumnName& c : column_names) {
            if (name.size() <= c.stem.size() + 1 ||
                !equal_ignoring_case(name.substr(0, c.stem.size()), c.stem) ||
                name[c.stem.size()] != '_') {
                continue;
            }
            const std::string_view unit = name.substr(c.stem.size() + 1);
            if (c.column != Column::level) {
                if (equal_ignoring_case(unit, c.unit)) return {c.column, 0, 0, c.what};
                fail("unknown unit in column '" + valid_utf8(name) + "': expected " +
                     std::string(c.stem) + "_" + std::string(c.unit));
            }
            for (const PowerUnit& u : power_units) {
                if (equal_ignoring_case(unit, u.suffix)) return {c.column, c.level, u.mw};
            }
            fail("unknown unit in column '" + valid_utf8(name) +
                 "': expected a level in _dbm, _mw or _w");
        }
        fail("unknown column '" + valid_utf8(name) + "': " + expected());
    }

    std::string expected() const {
        return std::string(calibration_file_ ? expected_calibration : expected_readings);
    }

    void header(std::string_view content) {
        std::array<bool, 4> level_seen{};
        bool freq = false, freq2 = false, noise_bw = false, tau = false;  // columns seen
        for (const std::string_view name : split_fields(content, true)) {
            if (name.empty()) fail("empty column name: " + expected());
            const Field f = column_of(name);
            if (calibration_file_ && f.column != Column::freq && !is_calibration_level(f))
                fail("a calibration file has no column '" + valid_utf8(name) + "': " + expected());
            bool& seen = f.column == Column::freq       ? freq
                         : f.column == Column::freq2    ? freq2
                         : f.column == Column::noise_bw ? noise_bw
                         : f.column == Column::tau      ? tau
                                                        : level_seen[f.level];
            if (seen) fail("column '" + valid_utf8(name) + "' given twice");
            seen = true;
            if (f.column == Column::level) level_names_[f.level] = valid_utf8(name);
            fields_.push_back(f);
        }
        if (!freq) fail("no freq_ghz column: " + expected());
        if (calibration_file_ && (!level_seen[cal_off] || !level_seen[cal_on]))
            fail("cal_off and cal_on columns are required: " + expected());
        if (!calibration_file_ && (!level_seen[meas_off] || !level_seen[meas_on]))
            fail("meas_off and meas_on columns are required: " + expected());
        if (level_seen[cal_off] != level_seen[cal_on])
            fail("cal_off and cal_on columns go together: give both or neither");
        if (noise_bw != tau)
            fail("noise_bw_hz and tau_s columns go together: give both or neither");
        readings_.has_calibration = level_seen[cal_off];
    }

    double value(const NumberField& field, const Field& f) const {
        if (field.text.empty()) fail("a value is missing: expected a number in every column");
        if (!field.number) fail("expected a finite number, found '" + valid_utf8(field.text) + "'");
        const double x = *field.number;
        if (f.column != Column::level) {
            if (x <= 0) fail("expected " + std::string(f.what) + ", found " + number_text(x));
            return x;
        }
        const double mw = f.unit_mw == 0 ? std::pow(10.0, x / 10) : x * f.unit_mw;
        if (!(mw > 0) || !std::isfinite(mw)) {
            fail("expected a power above 0 and within range, found " + valid_utf8(field.text));
        }
        return mw;
    }

    void row(std::string_view content) {
        split_numbers(content, true, numbers_);
        if (numbers_.size() != fields_.size()) {
            fail("expected " + std::to_string(fields_.size()) +
                 " values as the header names, found " + std::to_string(numbers_.size()));
        }
        ReadingsPoint at;
        LevelsMw levels{1, 1, 1, 1};  // levels not given stay at 1 mW
        std::array<bool, 4> given{};
        std::array<std::string_view, 4> texts{};
        const bool calibration = calibration_given();
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            const Field& f = fields_[i];
            if (!calibration && is_calibration_level(f)) continue;
            const double x = value(numbers_[i], f);
            if (f.column == Column::freq) at.freq_ghz = x;
            if (f.column == Column::freq2) at.freq2_ghz = x;
            if (f.column == Column::noise_bw) at.noise_bw_hz = x;
            if (f.column == Column::tau) at.tau_s = x;
            if (f.column != Column::level) continue;
            levels[f.level] = x;
            given[f.level] = true;
            texts[f.level] = numbers_[i].text;
        }
        if (const std::optional<Level> on = falling_pair(levels, given)) {
            const auto level = [&](std::size_t l) {
                return level_names_[l] + " " + valid_utf8(texts[l]);
            };
            fail(level(*on) + " is not above " + level(*on - 1) +
                 ": a source-on level must be above its source-off level (a Y factor above 1)");
        }
        if (calibration && readings_.has_calibration) {
            if (calibration_cells_ == CalibrationCells::empty) fail(mixed_calibration);
            calibration_cells_ = CalibrationCells::given;
        }
        at.readings = {levels};
        at.line = line_;
        add(std::move(at));
    }

    void add(ReadingsPoint at) {
        auto& points = readings_.points;
        const double freq = at.freq_ghz;
        if (!points.empty() && points.back().freq_ghz == freq) {
            const ReadingsPoint& before = points.back();
            if (before.freq2_ghz != at.freq2_ghz)
                fail("freq2_ghz differs from the readings before it at the same freq_ghz");
            if (before.noise_bw_hz != at.noise_bw_hz || before.tau_s != at.tau_s)
                fail(
                    "noise_bw_hz or tau_s differs from the readings before it at the same "
                    "freq_ghz");
            points.back().readings.push_back(at.readings.front());
            return;
        }
        if (!points.empty() && freq < points.back().freq_ghz) {
            fail("frequencies must rise: " + number_text(freq) + " GHz after " +
                 number_text(points.back().freq_ghz) +
                 " GHz (repeated readings of a frequency "
                 "go one after the other)");
        }
        points.push_back(std::move(at));
    }

    static constexpr const char* mixed_calibration =
        "the calibration levels are given on some rows and left empty on others: give them on "
        "every row or on none";

    // Whether the row just split gives its calibration levels: in a readings
    // file both may be left empty, on every row alike.
    bool calibration_given() {
        if (calibration_file_) return true;
        int empty = 0, columns = 0;
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            if (!is_calibration_level(fields_[i])) continue;
            ++columns;
            empty += numbers_[i].text.empty() ? 1 : 0;
        }
        // Half a pair is a value missing, as any other.
        if (columns == 0 || empty != columns) return true;
        if (calibration_cells_ == CalibrationCells::given) fail(mixed_calibration);
        calibration_cells_ = CalibrationCells::empty;
        return false;
    }

    // Either every frequency is read once or every one is read repeatedly.
    void check_counts() {
        const auto& points = readings_.points;
        readings_.repeated = points.front().readings.size() > 1;
        for (const ReadingsPoint& p : points) {
            if ((p.readings.size() > 1) != readings_.repeated) {
                line_ = p.line;
                fail(std::string("a mixture of single and repeated readings: ") +
                     number_text(p.freq_ghz) + " GHz is read " +
                     (readings_.repeated ? "once" : "more than once") + ", " +
                     number_text(points.front().freq_ghz) + " GHz " +
                     (readings_.repeated ? "more than once" : "once"));
            }
        }
    }

    std::string_view name_;
    bool calibration_file_;
    CalibrationCells calibration_cells_ = CalibrationCells::unknown;
    int line_ = 0;
    std::vector<Field> fields_;
    std::array<std::string, 4> level_names_;  // the header's, "cal_on_dbm"
    NumberFields numbers_;
    Readings readings_;
};

LineRules readings_lines() {
    return {max_line_chars, "expected readings lines under 400 characters", '#', max_file_bytes};
}

}  // namespace

Readings parse_readings(std::string_view text, std::string_view name, ReadingsColumns columns) {
    LineReader lines(text, name, readings_lines());
    return ReadingsReader(name, columns).read(lines);
}

Readings read_readings(const std::filesystem::path& path, ReadingsColumns columns) {
    const std::string name = path.string();
    std::filebuf file = open_text_file(path, max_file_bytes);
    LineReader lines(file, name, readings_lines());
    return ReadingsReader(name, columns).read(lines);
}

}  // namespace orlavex::datafiles
