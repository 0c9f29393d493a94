#include "charts/chart_data_binary.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

namespace orlavex::charts {

namespace {

constexpr std::string_view tag = "orlavex-chart-data 2\n";

// A value absent from a point (a gap in its curve) is written as NaN; JSON
// could not carry NaN either, so no point loses a value it had there.
double or_nan(const std::optional<double>& value) {
    return value ? *value : std::numeric_limits<double>::quiet_NaN();
}

std::optional<double> unless_nan(double value) {
    if (std::isnan(value)) return std::nullopt;
    return value;
}

class Writer {
  public:
    template <typename T>
    void put(T value) {
        static_assert(std::is_trivially_copyable_v<T>);
        bytes_.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void put(std::string_view text) {
        put(static_cast<std::uint64_t>(text.size()));
        bytes_.append(text);
    }
    std::string& bytes() { return bytes_; }

  private:
    std::string bytes_;
};

class Reader {
  public:
    explicit Reader(std::string_view bytes) : rest_(bytes) {}

    template <typename T>
    T get() {
        static_assert(std::is_trivially_copyable_v<T>);
        T value;
        std::memcpy(&value, take(sizeof value).data(), sizeof value);
        return value;
    }
    std::string text() { return std::string(take(count(1))); }
    // A count of items of SIZE bytes each that the rest can hold.
    std::size_t count(std::size_t size) {
        const auto n = get<std::uint64_t>();
        if (n > rest_.size() / size) throw ChartDataError("chart data: cut short");
        return static_cast<std::size_t>(n);
    }
    bool done() const { return rest_.empty(); }

  private:
    std::string_view take(std::size_t size) {
        if (size > rest_.size()) throw ChartDataError("chart data: cut short");
        const std::string_view taken = rest_.substr(0, size);
        rest_.remove_prefix(size);
        return taken;
    }

    std::string_view rest_;
};

// x, U, RSS, the Monte Carlo interval, three margins and the bias; three
// lamps and the held flag.
constexpr std::size_t point_size = 9 * sizeof(double) + 4;

void put_point(Writer& out, const ChartPoint& p) {
    for (double value : {p.x, or_nan(p.expanded_db), or_nan(p.rss_db), or_nan(p.mc_lo_db),
                         or_nan(p.mc_hi_db), or_nan(p.margin_db[0]), or_nan(p.margin_db[1]),
                         or_nan(p.margin_db[2]), or_nan(p.bias_db)})
        out.put(value);
    for (Lamp lamp : p.lamp)
        out.put(static_cast<std::uint8_t>(lamp));
    out.put(static_cast<std::uint8_t>(p.held));
}

ChartPoint get_point(Reader& in) {
    ChartPoint p;
    p.x = in.get<double>();
    p.expanded_db = unless_nan(in.get<double>());
    p.rss_db = unless_nan(in.get<double>());
    p.mc_lo_db = unless_nan(in.get<double>());
    p.mc_hi_db = unless_nan(in.get<double>());
    for (std::optional<double>& margin : p.margin_db)
        margin = unless_nan(in.get<double>());
    p.bias_db = unless_nan(in.get<double>());
    for (Lamp& lamp : p.lamp) {
        const auto value = in.get<std::uint8_t>();
        if (value > static_cast<std::uint8_t>(Lamp::grey))
            throw ChartDataError("chart data: unknown lamp " + std::to_string(value));
        lamp = static_cast<Lamp>(value);
    }
    p.held = in.get<std::uint8_t>() != 0;
    return p;
}

// x, the measured noise figure, gain and U, and the plan's three.
constexpr std::size_t measured_size = 7 * sizeof(double);

void put_measured(Writer& out, const MeasuredChartPoint& p) {
    for (double value :
         {p.x, or_nan(p.nf_db), or_nan(p.gain_db), or_nan(p.expanded_db), or_nan(p.planned_nf_db),
          or_nan(p.planned_gain_db), or_nan(p.planned_expanded_db)})
        out.put(value);
}

MeasuredChartPoint get_measured(Reader& in) {
    MeasuredChartPoint p;
    p.x = in.get<double>();
    for (std::optional<double>* value : {&p.nf_db, &p.gain_db, &p.expanded_db, &p.planned_nf_db,
                                         &p.planned_gain_db, &p.planned_expanded_db})
        *value = unless_nan(in.get<double>());
    return p;
}

}  // namespace

std::string to_binary(const SweepChartData& data) {
    Writer out;
    out.bytes().reserve(tag.size() + data.setup.size() + 256 + data.points.size() * point_size +
                        data.measured.size() * measured_size + data.band_edges.size() * 8);
    out.bytes().append(tag);
    for (const std::string& text : {data.title, data.x_label, data.x_unit, data.setup})
        out.put(std::string_view(text));
    out.put(static_cast<std::uint8_t>(data.log_x));
    out.put(static_cast<std::uint64_t>(data.band_edges.size()));
    for (double edge : data.band_edges)
        out.put(edge);
    out.put(static_cast<std::uint64_t>(data.points.size()));
    for (const ChartPoint& p : data.points)
        put_point(out, p);
    out.put(static_cast<std::uint64_t>(data.measured.size()));
    for (const MeasuredChartPoint& p : data.measured)
        put_measured(out, p);
    return std::move(out.bytes());
}

bool is_binary_chart_data(std::string_view bytes) {
    return bytes.starts_with(tag);
}

SweepChartData from_binary(std::string_view bytes) {
    if (!is_binary_chart_data(bytes)) throw ChartDataError("chart data: not the binary form");
    Reader in(bytes.substr(tag.size()));
    SweepChartData data;
    for (std::string* text : {&data.title, &data.x_label, &data.x_unit, &data.setup})
        *text = in.text();
    data.log_x = in.get<std::uint8_t>() != 0;
    data.band_edges.resize(in.count(sizeof(double)));
    for (double& edge : data.band_edges)
        edge = in.get<double>();
    data.points.resize(in.count(point_size));
    for (ChartPoint& p : data.points)
        p = get_point(in);
    data.measured.resize(in.count(measured_size));
    for (MeasuredChartPoint& p : data.measured)
        p = get_measured(in);
    if (!in.done()) throw ChartDataError("chart data: bytes after the last point");
    return data;
}

}  // namespace orlavex::charts
