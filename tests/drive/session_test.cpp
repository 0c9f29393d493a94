// Golden sessions: short scripts of what a user does, with the texts the
// user then sees. Each file in tests/sessions holds sessions that start with
// "=== title"; every session begins on a freshly started window. Lines are
// driver commands, or checks:
//   expect CONTROL "caption or text"        exact text; quotes keep blanks
//   expect CONTROL.property VALUE           enabled, visible, checked, value,
//                                            tooltip, backcolor, forecolor,
//                                            fillcolor, fontsize, left, top,
//                                            selstart, sellength
//   expect CONTROL[INDEX].property VALUE    an item of an indexed menu array
//   expect focus NAME | popup NAME | height N | opened "ADDRESS" | error
//   expect state.NAME NUMBER                within half a unit of its last digit
#include "drive/driver.h"
#include "form/layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace orlavex {
namespace {

struct Session {
    std::string file;
    std::string title;
    std::vector<std::pair<int, std::string>> lines;  // line number, text
};

std::string test_name(const Session& s) {
    std::string name = std::filesystem::path(s.file).stem().string() + "_" + s.title;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

// Names the session in test listings instead of dumping its bytes.
void PrintTo(const Session& s, std::ostream* os) {
    *os << s.file << ": " << s.title;
}

std::vector<Session> load_sessions() {
    std::vector<Session> out;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(ORLAVEX_SESSIONS_DIR)) {
        if (entry.path().extension() == ".session") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& path : files) {
        std::ifstream in(path);
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            if (line.rfind("=== ", 0) == 0) {
                out.push_back({path.filename().string(), line.substr(4), {}});
            } else if (!out.empty()) {
                out.back().lines.emplace_back(number, line);
            }
        }
    }
    return out;
}

std::string unquote(const std::string& v) {
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') return v.substr(1, v.size() - 2);
    return v;
}

// The value a check names, as text.
std::string observed(Calculator& calc, const std::string& path, std::string& why) {
    const Form& f = calc.form;
    if (path == "focus")
        return f.focus == Ctl::none ? "none" : std::string(layout_row(f.focus).name);
    if (path == "popup") {
        // As the window does, a pop-up is shown once.
        const Ctl popup = std::exchange(calc.form.popup, Ctl::none);
        return popup == Ctl::none ? "none" : std::string(layout_row(popup).name);
    }
    if (path == "height") return std::to_string(f.height);
    if (path == "caption") return f.caption;
    if (path == "dialog")
        return f.dialog == Ctl::none ? "none" : std::string(layout_row(f.dialog).name);
    std::string name = path;
    std::string property;
    if (const auto dot = path.find('.'); dot != std::string::npos) {
        name = path.substr(0, dot);
        property = path.substr(dot + 1);
    }
    int index = -1;
    if (const auto bracket = name.find('['); bracket != std::string::npos) {
        index = std::stoi(name.substr(bracket + 1));
        name = name.substr(0, bracket);
    }
    const Ctl id = find_control(name, index);
    if (id == Ctl::none) {
        why = "no control " + path;
        return {};
    }
    const Control& c = f[id];
    const auto b = [](bool v) { return std::string(v ? "true" : "false"); };
    if (property.empty()) return c.text;
    if (property == "enabled") return b(c.enabled);
    if (property == "visible") return b(c.visible);
    if (property == "showing") return b(is_showing(f, id));
    if (property == "checked") return b(c.checked);
    if (property == "value") return std::to_string(c.value);
    if (property == "tooltip") return c.tooltip;
    if (property == "backcolor") return std::to_string(c.backcolor);
    if (property == "forecolor") return std::to_string(c.forecolor);
    if (property == "fillcolor") return std::to_string(c.fillcolor);
    if (property == "fontsize") return std::to_string(c.fontsize);
    if (property == "left") return std::to_string(c.left);
    if (property == "top") return std::to_string(c.top);
    if (property == "selstart") return std::to_string(c.selstart);
    if (property == "sellength") return std::to_string(c.sellength);
    why = "no property " + property;
    return {};
}

double state_value(const CalcState& s, const std::string& name) {
    const std::pair<const char*, double> values[] = {
        {"NF_Unc", s.NF_Unc},
        {"NF_Bias", s.NF_Bias},
        {"DUT_NF", s.DUT_NF},
        {"DUT_Gain", s.DUT_Gain},
        {"SA_Noise", s.SA_Noise},
        {"Freq", s.Freq},
        {"Freq2", s.Freq2},
        {"FreqMax", s.FreqMax},
        {"SA_FreqMax", s.SA_FreqMax},
        {"NS_FreqMax", s.NS_FreqMax},
        {"NS_Match", s.NS_Match},
        {"SA_InMatch", s.SA_InMatch},
        {"ExtPA_InMatch", s.ExtPA_InMatch},
        {"StepSize", s.StepSize},
        {"ENR", s.ENR},
        {"CalON", s.CalON},
        {"CalOFF", s.CalOFF},
        {"MeasON", s.MeasON},
        {"MeasOFF", s.MeasOFF},
        {"SA_InGamma", s.SA_InGamma},
        {"NS_Gamma", s.NS_Gamma},
    };
    for (const auto& [n, v] : values) {
        if (name == n) return v;
    }
    ADD_FAILURE() << "no state value " << name;
    return NAN;
}

class GoldenSession : public testing::TestWithParam<Session> {};

TEST_P(GoldenSession, ShowsWhatTheUserExpects) {
    const Session& session = GetParam();
    Driver driver;
    std::string last_error;
    std::ostringstream out;
    for (const auto& [number, line] : session.lines) {
        SCOPED_TRACE(session.file + ":" + std::to_string(number) + ": " + line);
        if (line.rfind("expect ", 0) != 0) {
            last_error = driver.run_line(line, out);
            if (!last_error.empty() &&
                std::find_if(session.lines.begin(), session.lines.end(), [&](const auto& l) {
                    return l.first == number + 1 && l.second == "expect error";
                }) == session.lines.end()) {
                ADD_FAILURE() << "command failed: " << last_error;
            }
            continue;
        }
        const std::string rest = line.substr(7);
        if (rest == "error") {
            EXPECT_FALSE(last_error.empty()) << "the command before should have failed";
            continue;
        }
        const auto space = rest.find(' ');
        ASSERT_NE(space, std::string::npos) << "check without a value";
        const std::string path = rest.substr(0, space);
        const std::string want = rest.substr(space + 1);
        Calculator& calc = driver.calculator();
        if (path.rfind("state.", 0) == 0) {
            const double got = state_value(calc.state, path.substr(6));
            const auto point = want.find('.');
            const int decimals =
                point == std::string::npos ? 0 : static_cast<int>(want.size() - point - 1);
            EXPECT_NEAR(got, std::stod(want), 0.5 * std::pow(10.0, -decimals));
            continue;
        }
        if (path == "opened") {
            const auto& opened = calc.form.opened;
            EXPECT_NE(std::find(opened.begin(), opened.end(), unquote(want)), opened.end())
                << "not opened: " << want;
            continue;
        }
        std::string why;
        const std::string got = observed(calc, path, why);
        ASSERT_TRUE(why.empty()) << why;
        EXPECT_EQ(got, unquote(want));
    }
}

INSTANTIATE_TEST_SUITE_P(Sessions, GoldenSession, testing::ValuesIn(load_sessions()),
                         [](const testing::TestParamInfo<Session>& info) {
                             return test_name(info.param);
                         });

}  // namespace
}  // namespace orlavex
