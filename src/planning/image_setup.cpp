#include "planning/image_setup.h"

#include "catalogue/catalogue.h"
#include "core/number_text.h"
#include "measure/image_sideband.h"

namespace orlavex::planning {

namespace {

constexpr double hz_per_ghz = 1e9;

// The table whose ENR the measurement takes at the image frequency.
const datafiles::EnrTable* measurement_table(const BenchInput& bench,
                                             const datafiles::EnrTable* calibration_table) {
    if (!bench.meas_source) return calibration_table;
    return bench.meas_source->table ? &*bench.meas_source->table : nullptr;
}

void take_image_enr(const datafiles::EnrTable& table, double image_hz, ImagePoint& point,
                    measure::ImageSideband& image) {
    const datafiles::EnrPoint at = table.at(image_hz);
    image.enr_db = at.enr_db;
    if (at.enr_unc_db) image.enr_unc_db = *at.enr_unc_db;
    if (!at.applied.in_range()) {
        point.held = true;
        point.notes.push_back("ENR at the image frequency (" + general_text(image_hz / hz_per_ghz) +
                              " GHz): " + at.applied.note());
    }
}

// Where the image band's ENR comes from, for a note on it.
std::string image_enr_origin(const datafiles::EnrTable* table,
                             const measure::ModelOptions& options) {
    if (table) return "the ENR table's";
    if (options.image_enr_db) return "the image ENR as given";
    return "the signal band's";
}

}  // namespace

std::string image_outside_source(std::string_view model, double image_ghz,
                                 std::string_view enr_origin) {
    const catalogue::NoiseSourceModel* source = catalogue::find_noise_source(model);
    if (source == nullptr) return {};
    const double lower = catalogue::lower_frequency(*source),
                 upper = catalogue::upper_frequency(*source);
    std::string where;
    if (image_ghz < lower) {
        where = "below the noise source " + std::string(model) +
                "'s waveguide band, which starts at " + general_text(lower) + " GHz";
    } else if (image_ghz > upper) {
        where = "above the noise source " + std::string(model) + "'s limit of " +
                general_text(upper) + " GHz";
    } else {
        return {};
    }
    return "the image at " + general_text(image_ghz) + " GHz lies " + where +
           ": the source's ENR there is not known, and the one taken (" + std::string(enr_origin) +
           ") may be far off";
}

bool image_response(const measure::ModelOptions& options) {
    return options.sideband == measure::SidebandMode::dsb || options.image_ratio_db.has_value();
}

ImagePoint add_image(const BenchInput& bench, const datafiles::EnrTable* calibration_table,
                     double f_in_ghz, double f_out_ghz, measure::MeasurementSetup& setup,
                     std::string_view calibration_source) {
    ImagePoint point;
    const measure::ModelOptions& options = setup.model;
    const bool response = image_response(options);
    if (!response &&
        (options.image_ratio_unc_db != 0 || options.image_enr_db || options.image_enr_unc_db)) {
        point.notes.emplace_back(
            "the image band's ENR and ratio uncertainty are not used: the DUT has no image "
            "response (give a sideband of dsb or an image ratio)");
    }
    if (!setup.freq_converting) {
        if (response) point.problem = "an image response needs a frequency-converting DUT";
        return point;
    }
    const measure::FrequencyPlan plan =
        measure::frequency_plan(f_in_ghz * hz_per_ghz, f_out_ghz * hz_per_ghz, options.lo_side);
    if (!plan.valid()) {
        if (response) point.problem = plan.problem;
        return point;
    }
    point.plan = plan;
    if (!response) return point;

    measure::ImageSideband& image = setup.image;
    image.response = true;
    image.mode = options.sideband;
    image.ratio_db = options.image_ratio_db.value_or(0);
    image.ratio_unc_db = options.image_ratio_unc_db;
    const datafiles::EnrTable* table = measurement_table(bench, calibration_table);
    if (table && (options.image_enr_db || options.image_enr_unc_db)) {
        point.problem =
            "the ENR table gives the ENR at the image frequency; it cannot be typed as well";
        return point;
    }
    if (table) take_image_enr(*table, plan.image_hz, point, image);
    const std::string_view source =
        bench.meas_source ? std::string_view(bench.meas_source->model) : calibration_source;
    if (std::string why = image_outside_source(source, plan.image_hz / hz_per_ghz,
                                               image_enr_origin(table, options));
        !why.empty())
        point.notes.push_back(std::move(why));
    if (options.image_enr_db) image.enr_db = *options.image_enr_db;
    if (options.image_enr_unc_db) image.enr_unc_db = *options.image_enr_unc_db;
    if (bench.loss_in.sparameters)
        image.loss_in_db = loss_from_file_db(*bench.loss_in.sparameters, plan.image_hz);
    point.problem = measure::image_problem(setup);
    return point;
}

}  // namespace orlavex::planning
