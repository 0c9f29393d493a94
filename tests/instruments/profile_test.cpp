// Instrument profiles: the shipped ones read and fill in, and a bad one
// is refused naming its line.
#include "instruments/profile.h"
#include "instruments/measurement_run.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orlavex::instruments {
namespace {

TEST(Profile, ShippedProfilesRead) {
    int analyzers = 0, supplies = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ORLAVEX_PROFILES_DIR)) {
        SCOPED_TRACE(entry.path().string());
        const Profile p = read_profile(entry.path());
        EXPECT_FALSE(p.name.empty());
        EXPECT_FALSE(p.source_on.empty());
        EXPECT_FALSE(p.source_off.empty());
        // No profile names a real instrument's maker: they say what they are.
        EXPECT_TRUE(p.name.starts_with("Generic") || p.name.starts_with("SCPI")) << p.name;
        if (p.kind == ProfileKind::analyzer) {
            ++analyzers;
            EXPECT_FALSE(p.read.empty());
            EXPECT_FALSE(p.frequency.empty());
            EXPECT_EQ(filled(p.frequency.front(), p, 2.5e9), "FREQ:CENT 2500000000");
        } else {
            ++supplies;
        }
    }
    EXPECT_EQ(analyzers, 2);
    EXPECT_EQ(supplies, 1);
}

TEST(Profile, FillsPlaceholders) {
    const Profile p = parse_profile(R"({"kind": "supply", "settings": {"volts": 28, "amps": 0.125},
        "source_on": "APPL {volts},{amps};OUTP ON", "source_off": ["OUTP OFF"]})",
                                    "supply.json");
    EXPECT_EQ(filled(p.source_on.front(), p), "APPL 28,0.125;OUTP ON");
    EXPECT_EQ(filled("FREQ {freq_hz}", p, 1.25e9), "FREQ 1250000000");
    EXPECT_EQ(filled("FREQ {freq_hz}", p, 1.0000000001e9), "FREQ 1000000000.1");
    EXPECT_EQ(filled("no placeholder", p), "no placeholder");
    EXPECT_THROW((void)filled("BAND {rbw_hz}", p), ProfileError);
}

// What a reading stands for, a number or a product of numbers and the
// profile's settings.
TEST(Profile, ReadingSpanAtItsSettings) {
    struct Case {
        const char *bandwidth, *time;
        double bandwidth_hz, time_s;
    };
    // The settings: rbw_hz 1e6, sweep_time_s 0.25, averages 20.
    const Case cases[] = {
        {"\"{rbw_hz}\"", "\"{sweep_time_s} * {averages}\"", 1e6, 5},
        {"\"2*{rbw_hz}\"", "\" {averages}*0.5 *{sweep_time_s} \"", 2e6, 2.5},
        {"300", "\"1.5\"", 300, 1.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bandwidth);
        const Profile p = parse_profile(
            std::string("{\"kind\": \"analyzer\", \"read\": \"R?\", \"settings\": "
                        "{\"rbw_hz\": 1e6, \"sweep_time_s\": 0.25, \"averages\": 20}, "
                        "\"reading\": {\"unit\": \"dBm\", \"noise_bandwidth_hz\": ") +
                c.bandwidth + ", \"integration_time_s\": " + c.time + "}}",
            "p.json");
        EXPECT_DOUBLE_EQ(p.noise_bandwidth_hz, c.bandwidth_hz);
        EXPECT_DOUBLE_EQ(p.integration_time_s, c.time_s);
    }
}

struct BadProfile {
    const char* text;
    const char* says;  // the whole message begins with it
};

constexpr BadProfile bad_profiles[] = {
    {"{\n\"kind\": \"supply\",\n\"source_on\": \"OUTP ON\"\n\"source_off\": 1}",
     "p.json:4: not JSON"},
    {"[1, 2]", "p.json:1: a profile is a JSON object"},
    {"{\"kind\": \"meter\"}", "p.json:1: \"kind\" is \"analyzer\" or \"supply\""},
    {"{\"kind\": \"supply\",\n \"source_on\": \"OUTP ON\"}",
     "p.json:1: a supply profile needs \"source_on\" and \"source_off\""},
    {"{\"kind\": \"supply\",\n \"source_on\": \"OUTP ON\",\n \"source_off\": [\"OUTP OFF\", 3]}",
     "p.json:3: \"source_off\" is a command or a list of commands"},
    {"{\"kind\": \"supply\",\n\n \"sauce_on\": \"OUTP ON\"}", "p.json:3: unknown key \"sauce_on\""},
    {"{\"kind\": \"supply\", \"source_on\": \"OUTP ON\", \"source_off\": \"OUTP OFF\",\n"
     " \"settings\": {\"volts\": \"28\"}}",
     "p.json:2: setting \"volts\" is a number"},
    {"{\"kind\": \"supply\", \"source_off\": \"OUTP OFF\",\n \"source_on\": \"VOLT {volt}\"}",
     "p.json:2: \"VOLT {volt}\" names {volt}, which is not in \"settings\""},
    {"{\"kind\": \"analyzer\", \"source_on\": \"A\", \"source_off\": \"B\",\n \"read\": \"R?\"}",
     "p.json:2: an analyzer profile needs \"read\" and a \"reading\" object"},
    {"{\"kind\": \"analyzer\", \"read\": \"R?\",\n \"reading\": {\"unit\": \"W\", "
     "\"noise_bandwidth_hz\": 1, \"integration_time_s\": 1}}",
     "p.json:2: the reading's \"unit\" is \"dBm/Hz\" or \"dBm\""},
    {"{\"kind\": \"analyzer\", \"read\": \"R?\",\n \"reading\": {\"unit\": \"dBm\",\n"
     " \"noise_bandwidth_hz\": 0, \"integration_time_s\": 1}}",
     "p.json:3: \"noise_bandwidth_hz\" is a number above 0"},
    {"{\"kind\": \"analyzer\", \"read\": \"R?\",\n \"reading\": {\"unit\": \"dBm\", "
     "\"noise_bandwidth_hz\": 1}}",
     "p.json:2: \"reading\" needs \"integration_time_s\""},
    {"{\"kind\": \"analyzer\", \"read\": \"R?\", \"settings\": {\"rbw_hz\": 1e6},\n"
     " \"reading\": {\"unit\": \"dBm\", \"noise_bandwidth_hz\": \"{rbw} * 2\", "
     "\"integration_time_s\": 1}}",
     "p.json:2: \"noise_bandwidth_hz\" is a number above 0, or a product of settings"},
    {"{\"kind\": \"analyzer\", \"read\": \"R?\", \"settings\": {\"averages\": 10},\n"
     " \"reading\": {\"unit\": \"dBm\", \"noise_bandwidth_hz\": 1,\n"
     " \"integration_time_s\": \"{averages} x\"}}",
     "p.json:3: \"integration_time_s\" is a number above 0, or a product of settings"},
    {"{\"kind\": \"analyzer\", \"read\": \"R?\", \"settings\": {\"averages\": 0},\n"
     " \"reading\": {\"unit\": \"dBm\", \"noise_bandwidth_hz\": 1,\n"
     " \"integration_time_s\": \"0.5 * {averages}\"}}",
     "p.json:3: \"integration_time_s\" is a number above 0, or a product of settings"},
    {"{\"kind\": \"analyzer\",\n \"reading\": {\"unit\": \"dBm\", "
     "\"noise_bandwidth_hz\": 1, \"integration_time_s\": 1}}",
     "p.json:1: an analyzer profile needs \"read\""},
};

TEST(Profile, RefusesNamingTheLine) {
    for (const BadProfile& b : bad_profiles) {
        SCOPED_TRACE(b.text);
        try {
            (void)parse_profile(b.text, "p.json");
            ADD_FAILURE() << "taken";
        } catch (const ProfileError& e) {
            EXPECT_TRUE(std::string(e.what()).starts_with(b.says)) << e.what();
        }
    }
}

}  // namespace
}  // namespace orlavex::instruments

namespace orlavex::instruments {
namespace {

// The instruments a measurement is asked for: each refusal says which
// choice it is about, and a good choice fills the plan whole.
TEST(TakeInstruments, FillsThePlanOrSaysWhichChoiceIsRefused) {
    struct Case {
        InstrumentChoice choice;
        std::optional<InstrumentInput> refused;
        const char* says;
    };
    const Case cases[] = {
        {{"TCPIP::127.0.0.1::5025::SOCKET", "supply-28v", "analyzer", ""},
         InstrumentInput::profile,
         "is not an analyzer's profile"},
        {{"TCPIP::127.0.0.1::5025::SOCKET", "analyzer-marker-noise", "relay", ""},
         InstrumentInput::source,
         "give analyzer, supply:RES"},
        {{"TCPIP::127.0.0.1::5025::SOCKET", "analyzer-marker-noise",
          "supply:TCPIP::127.0.0.1::5026::SOCKET", "analyzer-channel-power"},
         InstrumentInput::source,
         "is not a supply's profile"},
        {{"TCPIP::127.0.0.1::5025::SOCKET", "analyzer-marker-noise",
          "supply:TCPIP::127.0.0.1::5026::SOCKET", "supply-28v"},
         std::nullopt,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.choice.profile + " " + c.choice.source);
        MeasurementPlan plan;
        const std::optional<InstrumentRefusal> refusal = take_instruments(c.choice, plan);
        ASSERT_EQ(refusal.has_value(), c.refused.has_value());
        if (refusal) {
            EXPECT_EQ(refusal->input, *c.refused);
            EXPECT_NE(refusal->why.find(c.says), std::string::npos) << refusal->why;
            continue;
        }
        EXPECT_EQ(plan.analyzer.kind, ProfileKind::analyzer);
        EXPECT_EQ(plan.supply.kind, ProfileKind::supply);
        EXPECT_EQ(plan.supply_address.port, 5026);
        EXPECT_EQ(plan.source, c.choice.source);
    }
    MeasurementPlan plan;
    EXPECT_THROW(
        take_instruments({"not a resource", "analyzer-marker-noise", "analyzer", ""}, plan),
        ResourceError);
}

}  // namespace
}  // namespace orlavex::instruments
