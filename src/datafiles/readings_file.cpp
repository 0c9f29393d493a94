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
enum class Column { freq, freq2, level };

struct ColumnName {
    std::string_view stem;  // the name before the unit
    Column column;
    std::size_t level = 0;  // for a level column
};

constexpr ColumnName column_names[] = {
    {"freq", Column::freq},
    {"freq2", Column::freq2},
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
};

constexpr std::string_view expected_readings =
    "expected columns freq_ghz, cal_off_dbm, cal_on_dbm, meas_off_dbm, meas_on_dbm (levels in "
    "_dbm, _mw or _w; optional freq2_ghz)";
constexpr std::string_view expected_calibration =
    "expected columns freq_ghz, cal_off_dbm, cal_on_dbm (levels in _dbm, _mw or _w)";

bool is_calibration_level(const Field& f) {
    return f.column == Column::level && (f.level == cal_off || f.level == cal_on);
}

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
                if (equal_ignoring_case(unit, "ghz")) return {c.column, 0, 0};
                fail("unknown unit in column '" + valid_utf8(name) + "': expected " +
                     std::string(c.stem) + "_ghz");
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
        bool freq = false, freq2 = false;  // columns seen
        for (const std::string_view name : split_fields(content, true)) {
            if (name.empty()) fail("empty column name: " + expected());
            const Field f = column_of(name);
            if (calibration_file_ && f.column != Column::freq && !is_calibration_level(f))
                fail("a calibration file has no column '" + valid_utf8(name) + "': " + expected());
            bool& seen = f.column == Column::freq    ? freq
                         : f.column == Column::freq2 ? freq2
                                                     : level_seen[f.level];
            if (seen) fail("column '" + valid_utf8(name) + "' given twice");
            seen = true;
            fields_.push_back(f);
        }
        if (!freq) fail("no freq_ghz column: " + expected());
        if (calibration_file_ && (!level_seen[cal_off] || !level_seen[cal_on]))
            fail("cal_off and cal_on columns are required: " + expected());
        if (!calibration_file_ && (!level_seen[meas_off] || !level_seen[meas_on]))
            fail("meas_off and meas_on columns are required: " + expected());
        if (level_seen[cal_off] != level_seen[cal_on])
            fail("cal_off and cal_on columns go together: give both or neither");
        readings_.has_calibration = level_seen[cal_off];
    }

    double value(const NumberField& field, const Field& f) const {
        if (field.text.empty()) fail("a value is missing: expected a number in every column");
        if (!field.number) fail("expected a finite number, found '" + valid_utf8(field.text) + "'");
        const double x = *field.number;
        if (f.column != Column::level) {
            if (x <= 0) fail("expected a frequency above 0 GHz, found " + number_text(x));
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
        double freq = 0;
        std::optional<double> freq2;
        LevelsMw levels{1, 1, 1, 1};  // levels not given stay at 1 mW
        const bool calibration = calibration_given();
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            const Field& f = fields_[i];
            if (!calibration && is_calibration_level(f)) continue;
            const double x = value(numbers_[i], f);
            if (f.column == Column::freq) freq = x;
            if (f.column == Column::freq2) freq2 = x;
            if (f.column == Column::level) levels[f.level] = x;
        }
        if (calibration && readings_.has_calibration) {
            if (calibration_cells_ == CalibrationCells::empty) fail(mixed_calibration);
            calibration_cells_ = CalibrationCells::given;
        }
        add(freq, freq2, levels);
    }

    void add(double freq, std::optional<double> freq2, const LevelsMw& levels) {
        auto& points = readings_.points;
        if (!points.empty() && points.back().freq_ghz == freq) {
            if (points.back().freq2_ghz != freq2)
                fail("freq2_ghz differs from the readings before it at the same freq_ghz");
            points.back().readings.push_back(levels);
            return;
        }
        if (!points.empty() && freq < points.back().freq_ghz) {
            fail("frequencies must rise: " + number_text(freq) + " GHz after " +
                 number_text(points.back().freq_ghz) +
                 " GHz (repeated readings of a frequency "
                 "go one after the other)");
        }
        points.push_back({freq, freq2, {levels}, line_});
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
