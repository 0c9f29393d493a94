// Delta debugging of failing action lists, and the recalculation probe the
// soak sessions rely on.
#include "shrink.h"
#include "drive/driver.h"
#include "recalc_probe.h"
#include "soak_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace orlavex::soak {
namespace {

// Fails once an "a" line has been followed by a "b" line; reports how many
// lines that took.
std::optional<std::size_t> a_then_b(const std::vector<std::string>& lines) {
    bool seen_a = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == "a") seen_a = true;
        if (lines[i] == "b" && seen_a) return i + 1;
    }
    return std::nullopt;
}

TEST(Shrink, KeepsOnlyTheLinesTheFailureNeeds) {
    std::vector<std::string> lines;
    for (int i = 0; i < 500; ++i)
        lines.push_back(std::to_string(i));
    lines[137] = "a";
    lines[402] = "b";
    lines.push_back("b");
    EXPECT_EQ(shrink(lines, a_then_b), (std::vector<std::string>{"a", "b"}));
}

TEST(Shrink, AFailureAtStartUpNeedsNoLines) {
    const auto always = [](const std::vector<std::string>&) -> std::optional<std::size_t> {
        return 0;
    };
    EXPECT_TRUE(shrink({"x", "y", "z"}, always).empty());
}

TEST(RecalcProbe, SeesARecalculationButNotAnEditOrAFormatSwitch) {
    Driver driver;
    Calculator& calc = driver.calculator();
    install_probe(calc);
    std::ostringstream out;
    const std::int64_t colour = calc.form[Ctl::lblYmeas].forecolor;

    arm_probe(calc);
    driver.run_line("text txtENR 14", out);
    EXPECT_FALSE(take_probe(calc));
    EXPECT_EQ(calc.form[Ctl::lblYmeas].forecolor, colour) << "the real colour is back";

    arm_probe(calc);
    driver.run_line("key Enter", out);
    EXPECT_TRUE(take_probe(calc));

    // Leaving the field recalculates, then the switch rewrites its text.
    driver.run_line("focus txtDUT_InMatch", out);
    arm_probe(calc);
    driver.run_line("click optDUTIn_RL", out);
    EXPECT_FALSE(take_probe(calc));
    EXPECT_EQ(calc.form[Ctl::lblYmeas].forecolor, colour);
}

TEST(SoakSession, ReplayFindsTheLineThatBreaksACheck) {
    // A long paste is not a recalculation: the window stays as it was.
    EXPECT_FALSE(replay({"text txtENR 1e999", "focus txtENR"}).has_value());
    std::vector<std::string> played;
    EXPECT_FALSE(play_random(11, 2000, played).has_value());
    EXPECT_EQ(played.size(), 2000u);
    std::vector<std::string> again;
    play_random(11, 2000, again);
    EXPECT_EQ(again, played) << "a seed always plays the same session";
}

}  // namespace
}  // namespace orlavex::soak
