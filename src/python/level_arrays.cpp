#include "python/level_arrays.h"

#include "python/data_files.h"
#include "python/keyword_inputs.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace orlavex::python {

namespace py = pybind11;

namespace {

// The numbers of VALUE: one for a number, every element of an array.
std::vector<double> numbers_of(const py::handle& value, std::string_view keyword) {
    if (!is_array(value)) return {number_value(value, keyword)};
    const auto a = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(value);
    if (!a) {
        PyErr_Clear();
        refuse(std::string(keyword) + ": expected numbers, as an array, a list or one number");
    }
    if (a.ndim() != 1) refuse(std::string(keyword) + ": expected an array of one dimension");
    std::vector<double> x(a.data(), a.data() + a.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (!std::isfinite(x[i])) {
            refuse(std::string(keyword) + ": expected finite numbers, found " +
                   py::str(py::float_(x[i])).cast<std::string>() + " at index " +
                   std::to_string(i));
        }
    }
    return x;
}

struct Column {
    std::string_view keyword;
    std::vector<double> values;  // empty: not given
    bool array = false;
};

// The length every array shares.
std::size_t common_length(const std::vector<Column>& columns) {
    const Column* first = nullptr;
    for (const Column& c : columns) {
        if (!c.array) continue;
        if (first && c.values.size() != first->values.size()) {
            refuse(std::string(first->keyword) + " and " + std::string(c.keyword) +
                   ": arrays of equal length, found " + std::to_string(first->values.size()) +
                   " and " + std::to_string(c.values.size()));
        }
        first = first ? first : &c;
    }
    if (first && first->values.empty())
        refuse(std::string(first->keyword) + ": an array of one value or more");
    return first ? first->values.size() : 1;
}

double milliwatts(double dbm, std::string_view keyword) {
    const double mw = std::pow(10.0, dbm / 10);
    if (!(mw > 0) || !std::isfinite(mw)) {
        refuse(std::string(keyword) + ": expected a level within range, found " +
               py::str(py::float_(dbm)).cast<std::string>() + " dBm");
    }
    return mw;
}

}  // namespace

bool is_array(const py::handle& value) {
    if (py::isinstance<py::array>(value))
        return py::reinterpret_borrow<py::array>(value).ndim() > 0;
    return py::isinstance<py::list>(value) || py::isinstance<py::tuple>(value);
}

datafiles::Readings readings_of_columns(const LevelColumns& given, double default_freq_ghz) {
    using datafiles::Level;
    const std::pair<Level, const py::object*> levels[] = {{datafiles::cal_off, &given.cal_off},
                                                          {datafiles::cal_on, &given.cal_on},
                                                          {datafiles::meas_off, &given.meas_off},
                                                          {datafiles::meas_on, &given.meas_on}};
    constexpr std::string_view names[] = {"cal_off", "cal_on", "meas_off", "meas_on", "freq"};
    std::vector<Column> columns;
    for (const auto& [level, value] : levels) {
        const std::string_view name = names[level];
        columns.push_back({name,
                           value->is_none() ? std::vector<double>{} : numbers_of(*value, name),
                           is_array(*value)});
    }
    columns.push_back({"freq",
                       given.freq.is_none() ? std::vector<double>{default_freq_ghz}
                                            : numbers_of(given.freq, "freq"),
                       is_array(given.freq)});
    if (columns[datafiles::cal_off].values.empty() != columns[datafiles::cal_on].values.empty())
        refuse("cal_off and cal_on go together: give both or neither");
    const std::size_t n = common_length(columns);
    datafiles::Readings r;
    r.has_calibration = !columns[datafiles::cal_off].values.empty();
    const auto at = [](const Column& c, std::size_t i) { return c.values[c.array ? i : 0]; };
    std::array<bool, 4> present{};
    for (const auto& [level, value] : levels)
        present[level] = !columns[level].values.empty();
    for (std::size_t i = 0; i < n; ++i) {
        datafiles::LevelsMw mw{1, 1, 1, 1};
        for (const auto& [level, value] : levels) {
            const Column& c = columns[level];
            if (!c.values.empty()) mw[level] = milliwatts(at(c, i), c.keyword);
        }
        if (const std::optional<Level> on = datafiles::falling_pair(mw, present)) {
            const auto level = [&](std::size_t l) {
                return std::string(names[l]) + " " +
                       py::str(py::float_(at(columns[l], i))).cast<std::string>() + " dBm";
            };
            refuse(level(*on) + " is not above " + level(*on - 1) + " at index " +
                   std::to_string(i) +
                   ": a source-on level must be above its source-off level (a Y factor above 1)");
        }
        const double freq = at(columns.back(), i);
        if (!(freq > 0)) {
            refuse("freq: expected frequencies above 0 GHz, found " +
                   py::str(py::float_(freq)).cast<std::string>());
        }
        r.points.push_back({freq, std::nullopt, {mw}, 0, std::nullopt, std::nullopt});
    }
    return r;
}

py::dict read_readings(const py::object& path) {
    const datafiles::Readings r = datafiles::read_readings(path_value(path, "path"));
    const auto n = static_cast<py::ssize_t>(r.points.size());
    constexpr const char* level_keys[] = {"cal_off_dbm", "cal_on_dbm", "meas_off_dbm",
                                          "meas_on_dbm"};
    py::array_t<double> freq(n), freq2(n);
    py::array_t<std::int64_t> counts(n);
    std::vector<py::array_t<double>> levels;
    for (std::size_t level = 0; level < 4; ++level)
        levels.emplace_back(n);
    const bool converting =
        std::ranges::any_of(r.points, [](const auto& p) { return p.freq2_ghz.has_value(); });
    for (py::ssize_t i = 0; i < n; ++i) {
        const datafiles::ReadingsPoint& p = r.points[static_cast<std::size_t>(i)];
        freq.mutable_at(i) = p.freq_ghz;
        freq2.mutable_at(i) = p.freq2_ghz.value_or(std::numeric_limits<double>::quiet_NaN());
        counts.mutable_at(i) = static_cast<std::int64_t>(p.readings.size());
        for (std::size_t level = 0; level < 4; ++level) {
            double sum = 0;
            for (const datafiles::LevelsMw& reading : p.readings)
                sum += reading[level];
            const bool given = r.has_calibration || level >= datafiles::meas_off;
            levels[level].mutable_at(i) =
                given ? 10 * std::log10(sum / static_cast<double>(p.readings.size()))
                      : std::numeric_limits<double>::quiet_NaN();
        }
    }
    py::dict out;
    out["freq_ghz"] = freq;
    if (converting) out["freq2_ghz"] = freq2;
    for (std::size_t level = 0; level < 4; ++level)
        out[level_keys[level]] = levels[level];
    out["readings"] = counts;
    return out;
}

}  // namespace orlavex::python
