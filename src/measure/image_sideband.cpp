#include "measure/image_sideband.h"

#include "measure/units.h"
#include "measure/y_factor.h"

#include <cmath>
#include <sstream>
#include <string_view>

namespace orlavex::measure {

double image_enr_db(const MeasurementSetup& s) {
    return s.image.enr_db.value_or(s.enr_meas_db);
}

double image_enr_unc_db(const MeasurementSetup& s) {
    return s.image.enr_unc_db.value_or(s.meas_source.separate ? s.meas_source.enr_unc_db
                                                              : s.enr_unc_db);
}

double image_loss_in_db(const MeasurementSetup& s) {
    return s.image.loss_in_db.value_or(s.loss_in.loss_db);
}

double image_ratio_lin(const MeasurementSetup& s) {
    return s.image.response ? lin(s.image.ratio_db) : 0;
}

TwoBandSource two_band_source(BandEnrs enr, double tc_k, const LossCompensation& bench,
                              double image_loss_in_lin, double r0) {
    const double th_signal = hot_temperature_k(enr.signal_lin);
    if (r0 == 0) {
        // The signal band alone, to the last bit as the loss compensation
        // of a DUT without an image takes it.
        const SourceAtInput at_input =
            source_through_loss(enr.signal_lin, tc_k, bench.loss_in, bench.t_in_k);
        return {at_input.enr_lin, at_input.tc_k / T0 - 1, th_signal - tc_k};
    }
    const double th_image = hot_temperature_k(enr.image_lin);
    const auto hot_at_input = [&](double th_k, double loss_lin) {
        return through_loss_k(th_k, loss_lin, bench.t_in_k);
    };
    const double cold_in = through_loss_k(tc_k, bench.loss_in, bench.t_in_k) +
                           r0 * through_loss_k(tc_k, image_loss_in_lin, bench.t_in_k);
    const double hot_in =
        hot_at_input(th_signal, bench.loss_in) + r0 * hot_at_input(th_image, image_loss_in_lin);
    // (E - Y c) / (Y - 1) = 1 + r0 + (Th,in - Y Tc,in) / (T0 (Y - 1)).
    return {hot_in / T0 - (1 + r0), cold_in / T0 - (1 + r0),
            (th_signal - tc_k) + r0 * (th_image - tc_k) * bench.loss_in / image_loss_in_lin};
}

double ssb_noise_factor(const MeasurementSetup& s) {
    const double f = lin(s.dut_nf_db);
    return s.image.response && s.image.mode == SidebandMode::dsb ? f * (1 + image_ratio_lin(s)) : f;
}

namespace {

std::string problem(std::string_view what, double value, std::string_view unit,
                    std::string_view rule) {
    std::ostringstream out;
    out << what << " " << value << " " << unit << ": " << rule;
    return out.str();
}

}  // namespace

std::string image_problem(const MeasurementSetup& s) {
    const ImageSideband& image = s.image;
    if (!image.response) return {};
    if (!std::isfinite(image.ratio_db))
        return problem("image-to-signal gain ratio", image.ratio_db, "dB",
                       "a gain ratio is a finite number");
    if (!(std::isfinite(image.ratio_unc_db) && image.ratio_unc_db >= 0))
        return problem("uncertainty of the image-to-signal gain ratio", image.ratio_unc_db, "dB",
                       "an uncertainty is finite and 0 dB or more");
    if (!std::isfinite(image_enr_db(s)))
        return problem("ENR at the image frequency", image_enr_db(s), "dB",
                       "an ENR is a finite number");
    if (const double u = image_enr_unc_db(s); !(std::isfinite(u) && u >= 0))
        return problem("ENR uncertainty at the image frequency", u, "dB",
                       "an uncertainty is finite and 0 dB or more");
    if (const double l = image_loss_in_db(s); !(std::isfinite(l) && l >= 0))
        return problem("loss before the DUT at the image frequency", l, "dB",
                       "a loss is 0 dB or more (a gain is not a loss)");
    const double r0 = image_ratio_lin(s);
    if (!(ssb_noise_factor(s) > 1 + r0)) {
        std::ostringstream rule;
        rule << "with this image response an SSB noise figure is above 10 log10(1 + r) = "
             << db(1 + r0) << " dB (the DUT's own noise is not below zero)";
        return problem("single-sideband noise figure", db(ssb_noise_factor(s)), "dB", rule.str());
    }
    return {};
}

}  // namespace orlavex::measure
