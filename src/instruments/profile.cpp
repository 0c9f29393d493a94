#include "instruments/profile.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <optional>
#include <sstream>

namespace orlavex::instruments {

namespace {

using Json = nlohmann::json;

// The steps of a profile that hold commands, in the order a run sends them.
struct StepKey {
    std::string_view key;
    Commands Profile::*commands;
};
constexpr StepKey step_keys[] = {
    {"reset", &Profile::reset},
    {"zero_span", &Profile::zero_span},
    {"bandwidths", &Profile::bandwidths},
    {"detector", &Profile::detector},
    {"averaging", &Profile::averaging},
    {"frequency", &Profile::frequency},
    {"single_sweep", &Profile::single_sweep},
    {"source_on", &Profile::source_on},
    {"source_off", &Profile::source_off},
    {"dut_in", &Profile::dut_in},
    {"dut_out", &Profile::dut_out},
};

constexpr std::string_view known_keys[] = {
    "name",       "kind",     "settings",  "identify",   "reset",        "zero_span",
    "bandwidths", "detector", "averaging", "frequency",  "single_sweep", "wait",
    "read",       "reading",  "source_on", "source_off", "dut_in",       "dut_out"};

// TEXT's factors, numbers and {settings} of PROFILE separated by '*',
// multiplied; none for a factor that is neither.
std::optional<double> product(std::string_view text, const Profile& profile) {
    double x = 1;
    for (std::size_t from = 0; from <= text.size();) {
        const std::size_t star = std::min(text.find('*', from), text.size());
        std::string_view factor = text.substr(from, star - from);
        while (!factor.empty() && factor.front() == ' ')
            factor.remove_prefix(1);
        while (!factor.empty() && factor.back() == ' ')
            factor.remove_suffix(1);
        double value = 0;
        if (factor.size() > 2 && factor.front() == '{' && factor.back() == '}') {
            const auto s = profile.settings.find(factor.substr(1, factor.size() - 2));
            if (s == profile.settings.end()) return std::nullopt;
            value = s->second;
        } else if (std::from_chars(factor.data(), factor.data() + factor.size(), value).ptr !=
                       factor.data() + factor.size() ||
                   factor.empty()) {
            return std::nullopt;
        }
        x *= value;
        from = star + 1;
    }
    return x;
}

// Reads one profile, naming lines in its errors.
class Reader {
  public:
    Reader(std::string_view text, std::string_view name) : text_(text), name_(name) {}

    [[noreturn]] void fail(std::string_view key, const std::string& what) const {
        throw ProfileError(name_ + ":" + std::to_string(line_of(key)) + ": " + what);
    }

    // The line of KEY's first appearance as a member name; 1 when absent.
    int line_of(std::string_view key) const {
        const std::size_t at = key.empty() ? 0 : text_.find("\"" + std::string(key) + "\"");
        if (at == std::string_view::npos) return 1;
        return 1 + static_cast<int>(std::count(text_.begin(), text_.begin() + at, '\n'));
    }

    Json parse() const {
        try {
            return Json::parse(text_);
        } catch (const Json::parse_error& e) {
            const std::size_t at = std::min<std::size_t>(e.byte, text_.size());
            const int line =
                1 + static_cast<int>(std::count(text_.begin(), text_.begin() + at, '\n'));
            std::string what = e.what();
            if (const std::size_t colon = what.rfind(": "); colon != std::string::npos)
                what = what.substr(colon + 2);
            throw ProfileError(name_ + ":" + std::to_string(line) + ": not JSON: " + what);
        }
    }

    std::string text(const Json& j, std::string_view key) const {
        if (!j.contains(key)) return {};
        if (!j[key].is_string()) fail(key, "\"" + std::string(key) + "\" is a text");
        return j[key].get<std::string>();
    }

    Commands commands(const Json& j, std::string_view key) const {
        if (!j.contains(key)) return {};
        const Json& v = j[key];
        if (v.is_string()) return {v.get<std::string>()};
        Commands out;
        if (v.is_array()) {
            for (const Json& c : v) {
                if (!c.is_string()) break;
                out.push_back(c.get<std::string>());
            }
            if (out.size() == v.size()) return out;
        }
        fail(key, "\"" + std::string(key) + "\" is a command or a list of commands");
    }

    // A number above 0, or a product of numbers and settings above 0
    // ("{sweep_time_s} * {averages}") at PROFILE's settings.
    double positive(const Json& j, std::string_view key, const Profile& profile) const {
        if (!j.contains(key)) fail("reading", "\"reading\" needs \"" + std::string(key) + "\"");
        const Json& v = j[key];
        const std::optional<double> x = v.is_number()   ? std::optional(v.get<double>())
                                        : v.is_string() ? product(v.get<std::string>(), profile)
                                                        : std::nullopt;
        if (!x || !(*x > 0) || !std::isfinite(*x)) {
            fail(key, "\"" + std::string(key) +
                          "\" is a number above 0, or a product of settings such as "
                          "\"{sweep_time_s} * {averages}\"");
        }
        return *x;
    }

  private:
    std::string_view text_;
    std::string name_;
};

void read_settings(const Reader& r, const Json& j, Profile& p) {
    if (!j.contains("settings")) return;
    if (!j["settings"].is_object()) r.fail("settings", "\"settings\" is an object of numbers");
    for (const auto& [key, value] : j["settings"].items()) {
        if (!value.is_number() || !std::isfinite(value.get<double>()))
            r.fail(key, "setting \"" + key + "\" is a number");
        p.settings[key] = value.get<double>();
    }
}

void read_reading(const Reader& r, const Json& j, Profile& p) {
    if (!j.contains("reading") || !j["reading"].is_object())
        r.fail("read", "an analyzer profile needs \"read\" and a \"reading\" object");
    const Json& reading = j["reading"];
    const std::string unit = r.text(reading, "unit");
    if (unit == "dBm/Hz") {
        p.unit = ReadingUnit::dbm_per_hz;
    } else if (unit == "dBm") {
        p.unit = ReadingUnit::dbm;
    } else {
        r.fail("unit", "the reading's \"unit\" is \"dBm/Hz\" or \"dBm\"");
    }
    p.noise_bandwidth_hz = r.positive(reading, "noise_bandwidth_hz", p);
    p.integration_time_s = r.positive(reading, "integration_time_s", p);
    if (p.read.empty())
        r.fail("read", "an analyzer profile needs \"read\", the query of a reading");
}

// Every placeholder of every command known.
void check_placeholders(const Reader& r, const Profile& p) {
    for (const StepKey& s : step_keys) {
        for (const std::string& c : p.*s.commands) {
            try {
                (void)filled(c, p, 1);
            } catch (const ProfileError& e) {
                r.fail(s.key, e.what());
            }
        }
    }
}

}  // namespace

Commands Profile::preparation() const {
    Commands out;
    for (const Commands* step : {&reset, &zero_span, &bandwidths, &detector, &averaging})
        out.insert(out.end(), step->begin(), step->end());
    return out;
}

Profile parse_profile(std::string_view text, std::string_view name) {
    const Reader r(text, name);
    const Json j = r.parse();
    if (!j.is_object()) r.fail({}, "a profile is a JSON object");
    for (const auto& [key, value] : j.items()) {
        if (std::ranges::find(known_keys, key) == std::end(known_keys))
            r.fail(key, "unknown key \"" + key + "\"");
    }
    Profile p;
    p.name = r.text(j, "name");
    const std::string kind = r.text(j, "kind");
    if (kind != "analyzer" && kind != "supply")
        r.fail("kind", "\"kind\" is \"analyzer\" or \"supply\"");
    p.kind = kind == "supply" ? ProfileKind::supply : ProfileKind::analyzer;
    read_settings(r, j, p);
    p.identify = r.text(j, "identify");
    p.wait = r.text(j, "wait");
    p.read = r.text(j, "read");
    for (const StepKey& s : step_keys)
        p.*s.commands = r.commands(j, s.key);
    if (p.kind == ProfileKind::analyzer) read_reading(r, j, p);
    if (p.kind == ProfileKind::supply && (p.source_on.empty() || p.source_off.empty()))
        r.fail("kind", "a supply profile needs \"source_on\" and \"source_off\"");
    check_placeholders(r, p);
    return p;
}

Profile read_profile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ProfileError(path.string() + ": cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    return parse_profile(text.str(), path.string());
}

std::string scpi_text(double x) {
    // Frequencies and bandwidths in plain digits (2500000000, not
    // 2.5e+09), as a user would type them; either form reads back exactly.
    const double magnitude = std::fabs(x);
    const bool plain = magnitude == 0 || (magnitude >= 1e-4 && magnitude < 1e16);
    char text[400];
    const auto end = plain
                         ? std::to_chars(text, text + sizeof text, x, std::chars_format::fixed).ptr
                         : std::to_chars(text, text + sizeof text, x).ptr;
    return std::string(text, end);
}

std::string filled(std::string_view command, const Profile& profile, double freq_hz) {
    std::string out;
    for (std::size_t i = 0; i < command.size();) {
        const std::size_t open = command.find('{', i);
        if (open == std::string_view::npos) {
            out += command.substr(i);
            break;
        }
        const std::size_t close = command.find('}', open);
        if (close == std::string_view::npos)
            throw ProfileError("\"" + std::string(command) + "\" has a { without its }");
        out += command.substr(i, open - i);
        const std::string_view key = command.substr(open + 1, close - open - 1);
        if (key == "freq_hz") {
            out += scpi_text(freq_hz);
        } else if (const auto s = profile.settings.find(key); s != profile.settings.end()) {
            out += scpi_text(s->second);
        } else {
            throw ProfileError("\"" + std::string(command) + "\" names {" + std::string(key) +
                               "}, which is not in \"settings\"");
        }
        i = close + 1;
    }
    return out;
}

}  // namespace orlavex::instruments
