#include "sim/sim_instrument.h"

#include "instruments/profile.h"
#include "instruments/scpi.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace orlavex::sim {

namespace {

enum class Action {
    identify,
    reset,
    clear,
    done,
    error_queue,
    span,
    rbw,
    vbw,
    channel,
    detector,
    average_type,
    averages,
    sweep_time,
    continuous,
    sweep,
    center,
    marker_noise,
    channel_power,
    noise_drive,
    volts,
    amps,
    output,
    dut,
    dut_query,
    source_query,
};

struct SimCommand {
    std::string_view header;
    Action action;
};

constexpr SimCommand sim_commands[] = {
    {"*IDN?", Action::identify},
    {"*RST", Action::reset},
    {"*CLS", Action::clear},
    {"*OPC?", Action::done},
    {"SYST:ERR?", Action::error_queue},
    {"FREQ:SPAN", Action::span},
    {"FREQ:CENT", Action::center},
    {"BAND", Action::rbw},
    {"BAND:VID", Action::vbw},
    {"CHP:BAND", Action::channel},
    {"DET", Action::detector},
    {"AVER:TYPE", Action::average_type},
    {"AVER:COUN", Action::averages},
    {"SWE:TIME", Action::sweep_time},
    {"INIT:CONT", Action::continuous},
    {"INIT:IMM", Action::sweep},
    {"CALC:MARK:FUNC:NOIS:RES?", Action::marker_noise},
    {"FETC:CHP?", Action::channel_power},
    {"SOUR:NOIS:STAT", Action::noise_drive},
    {"VOLT", Action::volts},
    {"CURR", Action::amps},
    {"OUTP", Action::output},
    {"SIM:DUT", Action::dut},
    {"SIM:DUT?", Action::dut_query},
    {"SIM:SOURCE?", Action::source_query},
};

// A supply at this voltage or more drives the noise source.
constexpr double drive_volts = 20;

std::string upper(std::string_view s) {
    std::string out(s);
    std::ranges::transform(out, out.begin(), [](unsigned char c) { return std::toupper(c); });
    return out;
}

// ON/OFF/1/0; none for anything else.
std::optional<bool> switch_state(std::string_view argument) {
    const std::string a = upper(argument);
    if (a == "ON" || a == "1") return true;
    if (a == "OFF" || a == "0") return false;
    return std::nullopt;
}

}  // namespace

bool SimInstrument::source_on() const {
    return !faults_.stuck_source && (noise_drive_ || (supply_output_ && volts_ >= drive_volts));
}

std::vector<std::string> SimInstrument::handle(SimSession& session, std::string_view line) {
    std::vector<std::string> replies;
    while (!line.empty()) {
        const std::size_t semi = std::min(line.find(';'), line.size());
        std::string_view one = instruments::trimmed(line.substr(0, semi));
        line.remove_prefix(std::min(semi + 1, line.size()));
        if (!one.empty() && one.front() == ':') one.remove_prefix(1);
        if (one.empty()) continue;
        const std::size_t space = std::min(one.find(' '), one.size());
        if (auto reply =
                handle_one(session, one.substr(0, space), instruments::trimmed(one.substr(space))))
            replies.push_back(std::move(*reply));
    }
    return replies;
}

void SimInstrument::sweep(SimSession& s) {
    std::string why;
    const auto levels = bench_.levels(s.freq_hz, why);
    if (!levels) {
        s.errors.push_back("-222,\"Data out of range; " + why + "\"");
        return;
    }
    const double dbm_1mhz = dut_in_ ? (source_on() ? levels->meas_on_dbm : levels->meas_off_dbm)
                                    : (source_on() ? levels->cal_on_dbm : levels->cal_off_dbm);
    // The radiometer's scatter: one over the root of the independent
    // samples the averaged power rests on, in the channel where one is set
    // (channel power integrates over it), else in the resolution bandwidth.
    const double bandwidth_hz = s.channel_hz > 0 ? s.channel_hz : s.rbw_hz;
    const double samples = std::max(1.0, bandwidth_hz * s.sweep_time_s) * std::max(1.0, s.averages);
    std::normal_distribution<double> normal(0.0, 1.0 / std::sqrt(samples));
    s.density_dbm_hz = dbm_1mhz - 60 + 10 * std::log10(std::exp(normal(random_)));
}

std::optional<std::string> SimInstrument::handle_one(SimSession& s, std::string_view header,
                                                     std::string_view argument) {
    const auto row = std::ranges::find(sim_commands, upper(header), &SimCommand::header);
    if (row == std::end(sim_commands)) {
        s.errors.push_back("-113,\"Undefined header\"");
        return std::nullopt;
    }
    double x = 0;
    const bool number = instruments::scpi_number(argument, x);
    // Sets TARGET to X when OK, else queues the parameter error.
    const auto set = [&](double& target, bool ok) {
        if (ok)
            target = x;
        else
            s.errors.push_back("-224,\"Illegal parameter value\"");
        return std::nullopt;
    };
    const double overload = 9.91e37;
    switch (row->action) {
        case Action::identify:
            return "Orlavex,Simulated noise bench,0,1.0";
        case Action::reset:
            s = SimSession{};
            noise_drive_ = supply_output_ = false;
            return std::nullopt;
        case Action::clear:
            s.errors.clear();
            return std::nullopt;
        case Action::done:
            return "1";
        case Action::error_queue: {
            if (s.errors.empty()) return "0,\"No error\"";
            std::string entry = s.errors.front();
            s.errors.pop_front();
            return entry;
        }
        case Action::center:
            return set(s.freq_hz, number && x > 0);
        case Action::rbw:
            return set(s.rbw_hz, number && x > 0);
        case Action::channel:
            return set(s.channel_hz, number && x > 0);
        case Action::averages:
            return set(s.averages, number && x >= 1);
        case Action::sweep_time:
            return set(s.sweep_time_s, number && x > 0);
        case Action::volts:
            return set(volts_, number && x >= 0);
        case Action::sweep:
            sweep(s);
            return std::nullopt;
        case Action::marker_noise:
            return instruments::scpi_text(faults_.overload ? overload : s.density_dbm_hz);
        case Action::channel_power: {
            const double bw = s.channel_hz > 0 ? s.channel_hz : s.rbw_hz;
            return instruments::scpi_text(
                faults_.overload ? overload : s.density_dbm_hz + 10 * std::log10(bw));
        }
        default:
            return handle_bench(s, static_cast<int>(row->action), argument);
    }
}

// The settings that only need checking, and the bench's switches.
std::optional<std::string> SimInstrument::handle_bench(SimSession& s, int action,
                                                       std::string_view argument) {
    double x = 0;
    const bool number = instruments::scpi_number(argument, x);
    const std::optional<bool> state = switch_state(argument);
    bool ok = true;
    switch (static_cast<Action>(action)) {
        case Action::span:
        case Action::vbw:
        case Action::amps:
            ok = number;
            break;
        case Action::detector:
            ok = upper(argument) == "RMS";
            break;
        case Action::average_type:
            ok = upper(argument) == "POW";
            break;
        case Action::continuous:
            ok = state.has_value();
            break;
        case Action::noise_drive:
            if ((ok = state.has_value())) noise_drive_ = *state;
            break;
        case Action::output:
            if ((ok = state.has_value())) supply_output_ = *state;
            break;
        case Action::dut:
            if ((ok = state.has_value())) dut_in_ = *state;
            break;
        case Action::dut_query:
            return dut_in_ ? "ON" : "OFF";
        case Action::source_query:
            return source_on() ? "ON" : "OFF";
        default:
            break;
    }
    if (!ok) s.errors.push_back("-224,\"Illegal parameter value\"");
    return std::nullopt;
}

}  // namespace orlavex::sim
