// The table of inputs against the window it describes: its start-up values
// are the window's, and every row's names follow one rule.
#include "app/commands.h"
#include "app/inputs/inputs.h"
#include "engine/classic_reading.h"
#include "engine/controls.h"
#include "window/set_up_actions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace orlavex::app {
namespace {

TEST(InputTable, StartValuesAreTheWindowsStartUpValues) {
    const Calculator started = started_calculator();
    for (const FieldInput& row : field_inputs()) {
        const bool shown = row.scope != Scope::levels &&
                           (row.format == Ctl::none || is_selected(started, row.format));
        if (shown) {
            EXPECT_EQ(row.start, started.state.*state_value(row.value)) << row.name;
        } else {
            EXPECT_TRUE(std::isnan(row.start)) << row.name << " starts in its other form or empty";
        }
    }
}

TEST(InputTable, NamesFollowOneRule) {
    for (const FieldInput& row : field_inputs()) {
        std::string flag = "--" + std::string(row.name);
        std::ranges::replace(flag, '_', '-');
        EXPECT_EQ(row.flag, flag);
        // One column per row: a set-up written under these names reads back.
        EXPECT_EQ(std::ranges::count(field_inputs(), row.column, &FieldInput::column), 1)
            << row.column;
        EXPECT_EQ(find_field_input(row.name), &row);
        EXPECT_EQ(find_field_input(row.flag), &row);
    }
    EXPECT_EQ(find_field_input("dut_nff"), nullptr);
}

TEST(CommandTable, ListsEveryCommand) {
    EXPECT_EQ(command_list(), "point, evaluate, sweep, advise, report, measure or catalogue");
}

}  // namespace
}  // namespace orlavex::app
