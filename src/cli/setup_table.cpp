#include "cli/setup_table.h"

#include "app/inputs/bench_inputs.h"
#include "measure/match.h"

#include "cli/text_table.h"
#include "core/number_text.h"

namespace orlavex::cli {

namespace {

std::string text(double x) {
    return general_text(x, '.');
}

std::string match_text(bool vswr, double value) {
    return vswr ? "VSWR " + text(value) : "return loss " + text(value) + " dB";
}

std::string dut_text(const app::UsedSetup& u) {
    const core::ClassicValues& s = u.values;
    std::string dut;
    if (!u.manual) dut = "NF " + text(s.dut_nf_db) + " dB, gain " + text(s.dut_gain_db) + " dB, ";
    dut += "input " + match_text(u.dut_in_vswr, s.dut_in_match) + ", output " +
           match_text(u.dut_out_vswr, s.dut_out_match) + ", " + text(s.freq_ghz) + " GHz";
    if (u.converting) dut += " in, " + text(s.freq2_ghz) + " GHz out";
    return dut;
}

std::string analyzer_text(const app::UsedSetup& u) {
    const core::ClassicValues& s = u.values;
    std::string analyzer = u.analyzer + ": ";
    if (!u.manual) {
        analyzer += u.analyzer_noise_as_nf ? "NF " + text(s.analyzer_noise) + " dB"
                                           : "DANL " + text(s.analyzer_noise) + " dBm/Hz";
        if (u.int_preamp) analyzer += " (internal preamp)";
        analyzer += ", ";
    }
    if (!u.ext_preamp) analyzer += match_text(u.analyzer_vswr, s.analyzer_match) + ", ";
    analyzer += "NF unc " + text(s.analyzer_nf_unc_db) + " dB, gain unc " +
                text(s.analyzer_gain_unc_db) + " dB";
    return analyzer;
}

}  // namespace

void print_setup(std::ostream& out, const app::UsedSetup& u) {
    const core::ClassicValues& s = u.values;
    const std::string source =
        u.noise_source + ": ENR " + text(s.enr_db) + " dB +/- " + text(s.enr_unc_db) + " dB, " +
        match_text(u.source_vswr, s.source_match) + ", Toff " + text(s.toff_c) + " C";
    TextTable t({TextTable::Align::left, TextTable::Align::left});
    t.add({"DUT", dut_text(u)});
    t.add({"Noise source", source});
    t.add({"Analyzer", analyzer_text(u)});
    if (u.ext_preamp) {
        t.add({"Ext. preamp", "gain " + text(s.ext_pa_gain_db) + " dB, NF " + text(s.ext_pa_nf_db) +
                                  " dB, input " + match_text(u.analyzer_vswr, s.ext_pa_match)});
    }
    t.add({"Correction", u.second_stage ? "second stage on" : "second stage off"});
    out << "Set-up\n";
    t.print(out, "  ");
}

void print_notes(std::ostream& out, const std::vector<std::string>& notes) {
    for (const std::string& note : notes)
        out << "  Note: " << note << '\n';
}

void print_bench(std::ostream& out, const planning::BenchInput& bench,
                 const measure::MeasurementSetup& used) {
    if (!bench.any()) return;
    const auto loss = [&](std::string_view where, const planning::LossInput& given,
                          const measure::BenchLoss& l) {
        if (!given.given()) return;
        out << "  Loss " << where << " the DUT: " << fixed(l.loss_db, 3) << " dB at "
            << general_text(l.temperature_k, '.') << " K, U = " << fixed(l.unc_db, 3) << " dB";
        if (given.sparameters) out << " (" << given.sparameters->name() << ")";
        out << '\n';
    };
    loss("before", bench.loss_in, used.loss_in);
    loss("after", bench.loss_out, used.loss_out);
    if (bench.meas_source && used.meas_source.separate) {
        // As given, then as the model took it at the point's frequency.
        out << "  Measurement source: " << app::measurement_source_text(*bench.meas_source)
            << "; here ENR " << fixed(used.enr_meas_db, 2)
            << " dB, U = " << fixed(used.meas_source.enr_unc_db, 3) << " dB, VSWR "
            << fixed(measure::vswr_from_reflection(used.meas_source.gamma), 3) << '\n';
    }
}

}  // namespace orlavex::cli
