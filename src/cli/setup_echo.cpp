#include "cli/setup_echo.h"

#include "cli/text_table.h"
#include "engine/controls.h"
#include "engine/number_text.h"

namespace orlavex::cli {

using enum Ctl;

namespace {

// A match as the window holds it: VSWR or return loss in dB.
Json match_json(const Calculator& calc, double value, Ctl vswr_option) {
    if (is_selected(calc, vswr_option)) return {{"vswr", value}};
    return {{"rl_db", value}};
}

std::string text(double x) {
    return general_text(x, '.');
}

std::string match_text(const Calculator& calc, double value, Ctl vswr_option) {
    return is_selected(calc, vswr_option) ? "VSWR " + text(value)
                                          : "return loss " + text(value) + " dB";
}

}  // namespace

Json setup_json(const Calculator& calc, const WindowInputs& in) {
    const CalcState& s = calc.state;
    const bool converting = is_ticked(calc, chkFreqConv);
    const bool ext_pa = is_ticked(calc, chkExtPA);
    const bool manual = is_ticked(calc, chkUseManMeas);
    Json j;
    if (manual) {
        // The levels take the place of the DUT and analyzer noise, which
        // the evaluation derives.
        j["levels_dbm"] = {{"cal_on", s.CalON},
                           {"cal_off", s.CalOFF},
                           {"meas_on", s.MeasON},
                           {"meas_off", s.MeasOFF}};
    } else {
        j["dut_nf_db"] = s.DUT_NF;
        j["dut_gain_db"] = s.DUT_Gain;
    }
    j["dut_in_match"] = match_json(calc, s.DUT_InMatch, optDUTIn_VSWR);
    j["dut_out_match"] = match_json(calc, s.DUT_OutMatch, optDUTOut_VSWR);
    j["freq_ghz"] = s.Freq;
    j["freq_conv"] = converting;
    j["freq2_ghz"] = converting ? Json(s.Freq2) : Json(nullptr);
    j["noise_source"] = noise_source_name(in);
    j["enr_db"] = s.ENR;
    j["enr_unc_db"] = s.ENR_Unc;
    j["source_match"] = match_json(calc, s.NS_Match, optNS_Match_VSWR);
    j["toff_c"] = s.Toff;
    j["analyzer"] = manual ? std::string("User") : analyzer_name(in);
    if (!manual) {
        j["int_preamp"] = is_ticked(calc, chkIntPA);
        // Models with two preamplifiers: the one the Preamp menu has checked.
        if (is_ticked(calc, chkIntPA) && in.int_preamp_option) {
            j["int_preamp_option"] = calc.form[item(mnuIntPA, 1)].checked ? 1 : 0;
        }
        if (is_selected(calc, optSA_Noise_NF)) {
            j["analyzer_noise"] = {{"nf_db", s.SA_Noise}};
        } else {
            j["analyzer_noise"] = {{"danl_dbm_hz", s.SA_Noise}};
        }
    }
    j["analyzer_match"] = match_json(calc, s.SA_InMatch, optSA_InMatch_VSWR);
    j["analyzer_nf_unc_db"] = s.SANFUnc;
    j["analyzer_gain_unc_db"] = s.SAGainUnc;
    if (manual) {
        // Manual levels come from the analyzer alone.
    } else if (ext_pa) {
        j["ext_preamp"] = {{"gain_db", s.ExtPA_Gain},
                           {"nf_db", s.ExtPA_NF},
                           {"match", match_json(calc, s.ExtPA_InMatch, optSA_InMatch_VSWR)}};
    } else {
        j["ext_preamp"] = nullptr;
    }
    j["second_stage"] = is_checked(calc, mnu2ndStage);
    return j;
}

void print_setup(std::ostream& out, const Calculator& calc, const WindowInputs& in) {
    const CalcState& s = calc.state;
    const bool manual = is_ticked(calc, chkUseManMeas);
    std::string dut;
    if (!manual) dut = "NF " + text(s.DUT_NF) + " dB, gain " + text(s.DUT_Gain) + " dB, ";
    dut += "input " + match_text(calc, s.DUT_InMatch, optDUTIn_VSWR) + ", output " +
           match_text(calc, s.DUT_OutMatch, optDUTOut_VSWR) + ", " + text(s.Freq) + " GHz";
    if (is_ticked(calc, chkFreqConv)) dut += " in, " + text(s.Freq2) + " GHz out";

    const std::string source =
        noise_source_name(in) + ": ENR " + text(s.ENR) + " dB +/- " + text(s.ENR_Unc) + " dB, " +
        match_text(calc, s.NS_Match, optNS_Match_VSWR) + ", Toff " + text(s.Toff) + " C";

    std::string analyzer = manual ? std::string("User") : analyzer_name(in);
    analyzer += ": ";
    if (!manual) {
        analyzer += is_selected(calc, optSA_Noise_NF) ? "NF " + text(s.SA_Noise) + " dB"
                                                      : "DANL " + text(s.SA_Noise) + " dBm/Hz";
        if (is_ticked(calc, chkIntPA)) analyzer += " (internal preamp)";
        analyzer += ", ";
    }
    if (!is_ticked(calc, chkExtPA)) {
        analyzer += match_text(calc, s.SA_InMatch, optSA_InMatch_VSWR) + ", ";
    }
    analyzer += "NF unc " + text(s.SANFUnc) + " dB, gain unc " + text(s.SAGainUnc) + " dB";

    TextTable t({TextTable::Align::left, TextTable::Align::left});
    t.add({"DUT", dut});
    t.add({"Noise source", source});
    t.add({"Analyzer", analyzer});
    if (is_ticked(calc, chkExtPA)) {
        t.add({"Ext. preamp", "gain " + text(s.ExtPA_Gain) + " dB, NF " + text(s.ExtPA_NF) +
                                  " dB, input " +
                                  match_text(calc, s.ExtPA_InMatch, optSA_InMatch_VSWR)});
    }
    t.add({"Correction", is_checked(calc, mnu2ndStage) ? "second stage on" : "second stage off"});
    out << "Set-up\n";
    t.print(out, "  ");
}

}  // namespace orlavex::cli
