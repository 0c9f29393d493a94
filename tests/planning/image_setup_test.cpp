// A converting DUT's image band: the notes where the image falls outside
// what the noise source or its ENR table covers, at one point and in a
// sweep, and the frequencies that leave no image.
#include "planning/image_setup.h"
#include "datafiles/enr_table.h"
#include "planning/sweep.h"
#include "reference_window.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace orlavex::planning {
namespace {

struct Case {
    const char* what;
    double f_in_ghz, f_out_ghz;
    measure::LoSide side = measure::LoSide::below;
    bool dsb = true;                  // an image response; false: none
    std::optional<double> image_enr;  // typed
    std::string calibration_source;   // catalogue model, or a user's ("")
    std::string measurement_source;   // separate catalogue model, or none ("")
    bool table = false;               // the example ENR table, 0.01 to 18 GHz
    std::vector<std::string> notes;   // each note holds the text, in order
    std::string problem;              // held by the problem; empty: none
};

ImagePoint image_of(const Case& c) {
    static const datafiles::EnrTable table =
        datafiles::read_enr_file(ORLAVEX_EXAMPLES_DIR "/noise_source.enr");
    BenchInput bench;
    if (!c.measurement_source.empty())
        bench.meas_source = MeasurementSourceInput{.model = c.measurement_source};
    measure::MeasurementSetup setup;
    setup.freq_converting = true;
    setup.dut_nf_db = 8;
    setup.dut_gain_db = 10;
    setup.enr_meas_db = setup.enr_cal_db = 15;
    setup.model.lo_side = c.side;
    if (c.dsb) setup.model.sideband = measure::SidebandMode::dsb;
    setup.model.image_enr_db = c.image_enr;
    return add_image(bench, c.table ? &table : nullptr, c.f_in_ghz, c.f_out_ghz, setup,
                     c.calibration_source);
}

// Where the image lies, and what the notes say of it.
const Case image_cases[] = {
    {.what = "image inside the source's band",
     .f_in_ghz = 10,
     .f_out_ghz = 1,
     .calibration_source = "NS346B"},
    {.what = "image above a coaxial source",
     .f_in_ghz = 1,
     .f_out_ghz = 10,
     .calibration_source = "NS346B",
     .notes = {"the image at 19 GHz lies above the noise source NS346B's limit of 18 GHz",
               "(the signal band's)"}},
    {.what = "LO above, image above the source",
     .f_in_ghz = 17,
     .f_out_ghz = 1,
     .side = measure::LoSide::above,
     .calibration_source = "NS346A",
     .notes = {"image at 19 GHz", "NS346A's limit of 18 GHz"}},
    {.what = "the typed image ENR is what the note names",
     .f_in_ghz = 1,
     .f_out_ghz = 10,
     .image_enr = 14,
     .calibration_source = "NS346B",
     .notes = {"(the image ENR as given)"}},
    {.what = "image below a waveguide band",
     .f_in_ghz = 55,
     .f_out_ghz = 5,
     .calibration_source = "WR-15",
     .notes = {"the image at 45 GHz lies below the noise source WR-15's waveguide band, "
               "which starts at 50 GHz"}},
    {.what = "a separate measurement source covers the image",
     .f_in_ghz = 1,
     .f_out_ghz = 10,
     .calibration_source = "NS346B",
     .measurement_source = "NS346Ka"},
    {.what = "a separate measurement source does not",
     .f_in_ghz = 1,
     .f_out_ghz = 10,
     .calibration_source = "NS346Ka",
     .measurement_source = "NS346B",
     .notes = {"NS346B's limit of 18 GHz"}},
    {.what = "no image response: no image band to note",
     .f_in_ghz = 1,
     .f_out_ghz = 10,
     .dsb = false,
     .calibration_source = "NS346B"},
    {.what = "the table's nearest record held",
     .f_in_ghz = 1,
     .f_out_ghz = 10,
     .table = true,
     .notes = {"ENR at the image frequency (19 GHz): held"}},
    {.what = "both, the ENR named as the table's",
     .f_in_ghz = 1,
     .f_out_ghz = 10,
     .calibration_source = "NS346B",
     .table = true,
     .notes = {"held", "(the ENR table's)"}},
    {.what = "the image at 0 Hz is refused",
     .f_in_ghz = 2,
     .f_out_ghz = 1,
     .calibration_source = "NS346B",
     .problem = "0 Hz"},
};

TEST(ImageSetup, NotesWhereTheImageLeavesTheSourceOrItsTable) {
    for (const Case& c : image_cases) {
        SCOPED_TRACE(c.what);
        const ImagePoint image = image_of(c);
        if (c.problem.empty()) {
            EXPECT_EQ(image.problem, "");
        } else {
            EXPECT_NE(image.problem.find(c.problem), std::string::npos) << image.problem;
            continue;
        }
        // One note per place the image leaves; each case's texts in order.
        std::string all;
        for (const std::string& note : image.notes)
            all += note + "\n";
        std::size_t at = 0;
        for (const std::string& text : c.notes) {
            at = all.find(text, at);
            EXPECT_NE(at, std::string::npos) << text << " in:\n" << all;
            if (at == std::string::npos) break;
        }
        if (c.notes.empty()) {
            EXPECT_EQ(all, "");
        }
    }
}

// A sweep counts a point whose image ENR is held from the table's last
// record among the held ones; an image outside the catalogue source's band
// is noted but holds nothing.
TEST(ImageSetup, ASweepCountsTheImageEnrHeldFromTheTable) {
    struct Case {
        std::string source;
        bool table;
        std::vector<bool> held;  // at 1, 1.5 and 2 GHz: images at 19, 18.5 and 18 GHz
        std::string note;        // of the first point
    };
    const Case cases[] = {
        {"User", true, {true, true, false}, "held from the nearest record, the last"},
        {"NS346B", false, {false, false, false}, "NS346B's limit of 18 GHz"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        Sweep s;
        s.base = testing::base_session({.noise_source = c.source, .freq_conv = true});
        s.conversion = {ConversionMode::fixed_if, 10, 0};
        s.from = 1;
        s.to = 2;
        s.points = 3;
        s.model.sideband = measure::SidebandMode::dsb;
        if (c.table)
            s.enr_table = datafiles::read_enr_file(ORLAVEX_EXAMPLES_DIR "/noise_source.enr");
        const SweepResult result = run_sweep(s);
        ASSERT_EQ(result.points.size(), c.held.size());
        for (std::size_t i = 0; i < c.held.size(); ++i) {
            const SweepPoint& p = result.points[i];
            EXPECT_TRUE(p.in_range) << p.note;
            EXPECT_EQ(p.held, c.held[i]) << "at " << p.freq_ghz << ": " << p.note;
        }
        EXPECT_NE(result.points[0].note.find(c.note), std::string::npos) << result.points[0].note;
    }
}

}  // namespace
}  // namespace orlavex::planning
