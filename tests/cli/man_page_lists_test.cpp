// orlavex-cli's man page as the build writes it, against the input rows:
// each table's section has an entry for every row, with the row's unit and
// default, and no entry for anything else; no row has a second entry
// elsewhere in the page.
#include "app/inputs/bench_inputs.h"
#include "app/inputs/inputs.h"
#include "app/inputs/model_inputs.h"
#include "cli/man_roff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace orlavex::app {
namespace {

struct Entry {
    std::string flag;  // as the roff source writes it: "\-\-dut\-nf"
    std::string tag;   // the line after .TP
    std::string text;  // the line after the tag
};

struct Expected {
    std::string_view flag;
    std::string unit;                // in the tag; empty: not checked
    std::string default_value;       // in the text as "default: X"; empty: none
    std::vector<std::string> names;  // a choice's, each in the tag
};

struct Group {
    std::string heading;  // the .SS line's start
    std::vector<Expected> rows;
};

std::string roff_flag(std::string_view flag) {
    std::string out;
    for (char c : flag)
        out += c == '-' ? std::string("\\-") : std::string(1, c);
    return out;
}

// The option a tag names: its first "\-\-" and the name after it.
std::string flag_of(const std::string& tag) {
    const std::size_t at = tag.find("\\-\\-");
    if (at == std::string::npos) return {};
    std::size_t end = at + 4;
    while (end < tag.size() &&
           (std::isalnum(static_cast<unsigned char>(tag[end])) || tag.compare(end, 2, "\\-") == 0))
        end += tag[end] == '\\' ? 2 : 1;
    return tag.substr(at, end - at);
}

// Every .TP (or .TQ) entry of the page by the heading (.SH or .SS line)
// above it; an entry's text is the line after its tag, as the lists write it.
std::map<std::string, std::vector<Entry>> entries_by_section(std::istream& page) {
    std::map<std::string, std::vector<Entry>> sections;
    std::string heading, line;
    Entry* last = nullptr;
    bool tag_next = false;
    while (std::getline(page, line)) {
        if (line.starts_with(".SH ") || line.starts_with(".SS ")) {
            heading = line.substr(4);
            sections[heading];
            last = nullptr;
        } else if (line == ".TP" || line == ".TQ") {
            last = &sections[heading].emplace_back();
            tag_next = true;
        } else if (last != nullptr && tag_next) {
            last->tag = line;
            last->flag = flag_of(line);
            tag_next = false;
        } else if (last != nullptr && last->text.empty()) {
            last->text = line;
        }
    }
    return sections;
}

// The shortest text that reads back as X.
std::string number(double x) {
    std::array<char, 32> text{};
    return {text.data(), std::to_chars(text.data(), text.data() + text.size(), x).ptr};
}

std::vector<Expected> field_rows(bool levels) {
    std::vector<Expected> rows;
    for (const FieldInput& row : field_inputs()) {
        if ((row.scope == Scope::levels) != levels) continue;
        rows.push_back(
            {row.flag, std::string(row.unit), std::isnan(row.start) ? "" : number(row.start), {}});
    }
    return rows;
}

std::vector<Expected> bench_rows() {
    std::vector<Expected> rows;
    for (const BenchInputRow& row : bench_input_rows)
        rows.push_back({row.flag, std::string(row.range.unit), std::string(row.default_text), {}});
    return rows;
}

Expected model_row(const ModelInput& row) {
    const ModelInputs defaults;
    Expected e{row.flag, std::string(row.unit), "", {}};
    if (row.kind == ModelValue::not_negative) e.default_value = number(defaults.*row.number);
    if (row.kind == ModelValue::trials) e.default_value = std::to_string(point_trials);
    if (row.kind == ModelValue::seed) e.default_value = std::to_string(defaults.seed);
    if (row.kind == ModelValue::choice) {
        e.default_value = row.choice->names.front();
        e.names.assign(row.choice->names.begin(), row.choice->names.end());
    }
    return e;
}

std::vector<Group> groups() {
    std::vector<Expected> model, typed;
    for (const ModelInput& row : model_inputs)
        model.push_back(model_row(row));
    for (const ModelInput& row : typed_reflection_inputs)
        typed.push_back(model_row(row));
    return {{"Window fields", field_rows(false)},
            {"Measured levels", field_rows(true)},
            {"Bench", bench_rows()},
            {"The measurement model", model},
            {"Known reflections typed", typed}};
}

TEST(ManPageLists, EachTableHasItsSectionWithEveryRowAndNothingElse) {
    std::ifstream page(ORLAVEX_MAN_PAGE);
    ASSERT_TRUE(page) << ORLAVEX_MAN_PAGE;
    const auto sections = entries_by_section(page);
    std::map<std::string, int> tags_per_flag;
    for (const auto& [heading, entries] : sections) {
        for (const Entry& e : entries)
            ++tags_per_flag[e.flag];
    }
    for (const Group& group : groups()) {
        const auto section = std::ranges::find_if(
            sections, [&](const auto& s) { return s.first.starts_with(group.heading); });
        ASSERT_NE(section, sections.end()) << group.heading;
        const std::vector<Entry>& entries = section->second;
        std::vector<std::string> listed, rows;
        for (const Entry& e : entries)
            listed.push_back(e.flag);
        for (const Expected& row : group.rows) {
            rows.push_back(roff_flag(row.flag));
            const auto e = std::ranges::find(entries, rows.back(), &Entry::flag);
            if (e == entries.end()) continue;  // reported below as a missing row
            EXPECT_EQ(tags_per_flag[e->flag], 1) << e->flag << " has an entry elsewhere too";
            if (!row.unit.empty()) {
                EXPECT_NE(e->tag.find(row.unit), e->tag.npos) << e->tag;
            }
            for (const std::string& name : row.names)
                EXPECT_NE(e->tag.find("\\fB" + name + "\\fR"), e->tag.npos) << e->tag;
            const std::string said = "default: " + row.default_value;
            if (!row.default_value.empty()) {
                EXPECT_NE(e->text.find(said), e->text.npos) << e->flag << ": " << e->text;
            } else {
                EXPECT_EQ(e->text.find("default:"), e->text.npos) << e->flag << ": " << e->text;
            }
            EXPECT_FALSE(e->text.empty() || e->text.starts_with('.')) << e->flag << " has no text";
        }
        EXPECT_EQ(listed, rows) << group.heading << ": the rows in their order, and nothing else";
    }
}

// Option names and minus signs as \-, so that man shows and searches them as
// typed; a hyphen inside a word stays one.
TEST(ManPageLists, HelpTextBecomesRunningText) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"not with --dut-in-rl", "not with \\-\\-dut\\-in\\-rl"},
        {"(-20: 20 dB image rejection)", "(\\-20: 20 dB image rejection)"},
        {"|freq - freq2|, -|S21|^2", "|freq \\- freq2|, \\-|S21|^2"},
        {"a set-up file's image-to-signal gain", "a set-up file's image-to-signal gain"},
        {".s2p of the part", "\\&.s2p of the part"},
        {"'quoted' C:\\dir", "\\&'quoted' C:\\edir"},
    };
    for (const auto& [help, roff] : cases)
        EXPECT_EQ(cli::roff_text(help), roff) << help;
}

}  // namespace
}  // namespace orlavex::app
