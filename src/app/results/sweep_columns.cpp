#include "app/results/sweep_columns.h"

#include "planning/swept_input.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace orlavex::app {

namespace {

using planning::SweepPoint;

Cell number(std::optional<double> x) {
    return Cell{x, {}, false};
}
Cell text(std::string s) {
    return Cell{std::nullopt, std::move(s), true};
}

// The inputs and classic figures exist where the point is in range; the
// window shows Y factors and margins only for a valid set-up.
std::optional<double> input(const SweepPoint& p, double x) {
    return p.in_range ? std::optional<double>(x) : std::nullopt;
}
std::optional<double> shown(const SweepPoint& p, double x) {
    return p.in_range && p.classic.valid ? std::optional<double>(x) : std::nullopt;
}
std::optional<double> margin(const SweepPoint& p, int i) {
    if (!p.in_range || p.classic.lamp[i] == Lamp::grey) return std::nullopt;
    return p.classic.margin_db[i];
}
std::optional<double> gum(const SweepPoint& p, double x) {
    return p.in_range && p.gum.valid && std::isfinite(x) ? std::optional<double>(x) : std::nullopt;
}
std::optional<double> mc(const SweepPoint& p, bool low) {
    if (!p.in_range || !p.monte_carlo) return std::nullopt;
    const double x = low ? p.monte_carlo->interval_lo_db : p.monte_carlo->interval_hi_db;
    return std::isfinite(x) ? std::optional<double>(x) : std::nullopt;
}

}  // namespace

std::string number_text(const std::optional<double>& x, int places) {
    if (!x || !std::isfinite(*x)) return {};
    std::array<char, 64> buffer{};
    if (places < 0) {
        std::snprintf(buffer.data(), buffer.size(), "%.9g", *x);
    } else {
        std::snprintf(buffer.data(), buffer.size(), "%.*f", places, *x);
    }
    std::string s = buffer.data();
    // A value that rounds to zero reads "0.0000", not "-0.0000".
    if (s.front() == '-' && s.find_first_not_of("0.", 1) == std::string::npos) s.erase(0, 1);
    return s;
}

std::vector<SweepColumn> sweep_columns(const planning::SweepResult& result, bool monte_carlo) {
    const std::string swept(planning::column_name(result.over, result.match_form));
    std::vector<SweepColumn> all = {
        {swept, -1, [](const SweepPoint& p) { return number(p.swept_value); }},
        {"freq_ghz", -1, [](const SweepPoint& p) { return number(p.freq_ghz); }},
        {"enr_db", 4, [](const SweepPoint& p) { return number(input(p, p.enr_db)); }},
        {"enr_unc_db", 4, [](const SweepPoint& p) { return number(input(p, p.enr_unc_db)); }},
        {"source_vswr", 4, [](const SweepPoint& p) { return number(input(p, p.source_vswr)); }},
        {"dut_gain_db", 4, [](const SweepPoint& p) { return number(input(p, p.dut_gain_db)); }},
        {"dut_nf_db", 4, [](const SweepPoint& p) { return number(input(p, p.dut_nf_db)); }},
        {"analyzer_nf_db", 4,
         [](const SweepPoint& p) { return number(shown(p, p.classic.nf_sa_net_db)); }},
        {"ycal_db", 4, [](const SweepPoint& p) { return number(shown(p, p.classic.ycal_db)); }},
        {"ymeas_db", 4, [](const SweepPoint& p) { return number(shown(p, p.classic.ymeas_db)); }},
        {"nf_sys_db", 4, [](const SweepPoint& p) { return number(shown(p, p.classic.nf_sys_db)); }},
    };
    for (int i = 0; i < 3; ++i)
        all.push_back({"margin" + std::to_string(i + 1) + "_db", 2,
                       [i](const SweepPoint& p) { return number(margin(p, i)); }});
    for (int i = 0; i < 3; ++i)
        all.push_back({"lamp" + std::to_string(i + 1), 0, [i](const SweepPoint& p) {
                           return text(p.in_range ? std::string(lamp_name(p.classic.lamp[i])) : "");
                       }});
    all.push_back({"rss_db", 4, [](const SweepPoint& p) {
                       return number(p.in_range ? p.classic.rss_db : std::nullopt);
                   }});
    all.push_back({"u_db", 4, [](const SweepPoint& p) { return number(gum(p, p.gum.u_c_db)); }});
    all.push_back({"U_db", 4, [](const SweepPoint& p) { return number(gum(p, p.gum.U_db)); }});
    if (monte_carlo) {
        all.push_back({"mc_lo_db", 4, [](const SweepPoint& p) { return number(mc(p, true)); }});
        all.push_back({"mc_hi_db", 4, [](const SweepPoint& p) { return number(mc(p, false)); }});
    }
    all.push_back({"note", 0, [](const SweepPoint& p) { return text(p.note); }});
    // Sweeps with a loss before or after the DUT add its columns at the end.
    if (result.contents.bench_loss) {
        all.push_back({"loss_in_db", -1, [](const SweepPoint& p) {
                           return number(input(p, p.setup.loss_in.loss_db));
                       }});
        all.push_back({"loss_out_db", -1, [](const SweepPoint& p) {
                           return number(input(p, p.setup.loss_out.loss_db));
                       }});
    }
    // Sweeps measured with a separate noise source add its ENR at each point.
    if (result.contents.measurement_source) {
        all.push_back({"meas_enr_db", -1, [](const SweepPoint& p) {
                           return number(p.setup.meas_source.separate
                                             ? input(p, p.setup.enr_meas_db)
                                             : std::nullopt);
                       }});
    }
    // A converting DUT's frequency plan, where it has one.
    if (result.contents.frequency_plan) {
        all.push_back({"lo_ghz", -1, [](const SweepPoint& p) { return number(p.lo_ghz); }});
        all.push_back({"image_ghz", -1, [](const SweepPoint& p) { return number(p.image_ghz); }});
    }

    // The source-match bias, where the model knew the reflections.
    if (result.contents.source_match_bias) {
        all.push_back({"source_match_bias_db", 4, [](const SweepPoint& p) {
                           return number(p.in_range ? p.source_match_bias_db : std::nullopt);
                       }});
    }

    // The swept value's own column stays first and only there.
    std::vector<SweepColumn> columns;
    for (SweepColumn& c : all)
        if (columns.empty() || c.name != swept) columns.push_back(std::move(c));
    return columns;
}

}  // namespace orlavex::app
