#include "window/dispatch.h"

#include "window/formats.h"
#include "window/handlers.h"
#include "window/help.h"
#include "window/modes.h"
#include "window/selection.h"

#include <string_view>

namespace orlavex {

namespace {

struct Binding {
    std::string_view control;  // control or indexed array name
    Event event;
    Handler handler;
};

template <void (*F)(Calculator&)>
void plain(Calculator& calc, int /*index*/) {
    F(calc);
}

// clang-format off
constexpr Binding bindings[] = {
    {"optDUTIn_RL", Event::Click, plain<optDUTIn_RL_Click>},
    {"optDUTIn_VSWR", Event::Click, plain<optDUTIn_VSWR_Click>},
    {"optDUTOut_RL", Event::Click, plain<optDUTOut_RL_Click>},
    {"optDUTOut_VSWR", Event::Click, plain<optDUTOut_VSWR_Click>},
    {"optSA_InMatch_RL", Event::Click, plain<optSA_InMatch_RL_Click>},
    {"optSA_InMatch_VSWR", Event::Click, plain<optSA_InMatch_VSWR_Click>},
    {"optNS_Match_RL", Event::Click, plain<optNS_Match_RL_Click>},
    {"optNS_Match_VSWR", Event::Click, plain<optNS_Match_VSWR_Click>},
    {"optSA_Noise_DANL", Event::Click, plain<optSA_Noise_DANL_Click>},
    {"optSA_Noise_NF", Event::Click, plain<optSA_Noise_NF_Click>},
    {"chkFreqConv", Event::Click, plain<chkFreqConv_Click>},
    {"chkIntPA", Event::Click, plain<chkIntPA_Click>},
    {"chkIntPA", Event::MouseUp, plain<chkIntPA_MouseUp>},
    {"chkExtPA", Event::Click, plain<chkExtPA_Click>},
    {"chkUseManMeas", Event::Click, plain<chkUseManMeas_Click>},
    {"SAdropdown", Event::MouseUp, plain<SAdropdown_MouseUp>},
    {"lblSAsel", Event::MouseUp, plain<lblSAsel_MouseUp>},
    {"NSdropdown", Event::MouseUp, plain<NSdropdown_MouseUp>},
    {"lblNSsel", Event::MouseUp, plain<lblNSsel_MouseUp>},
    {"lblNF_unc", Event::MouseUp, plain<lblNF_unc_MouseUp>},
    {"lbl2ndStageBias", Event::Click, plain<lbl2ndStageBias_Click>},
    {"frmUncResult", Event::Click, plain<frmUncResult_Click>},
    {"mnuSAuser", Event::Click, plain<mnuSAuser_Click>},
    {"mnuAravel", Event::Click, analyzer_model_Click<Ctl::mnuAravel>},
    {"mnuDalmor", Event::Click, analyzer_model_Click<Ctl::mnuDalmor>},
    {"mnuGalder", Event::Click, analyzer_model_Click<Ctl::mnuGalder>},
    {"mnuBelquin", Event::Click, analyzer_model_Click<Ctl::mnuBelquin>},
    {"mnuCorvex", Event::Click, analyzer_model_Click<Ctl::mnuCorvex>},
    {"mnuElvane", Event::Click, analyzer_model_Click<Ctl::mnuElvane>},
    {"mnuHestra", Event::Click, analyzer_model_Click<Ctl::mnuHestra>},
    {"mnuIstrel", Event::Click, analyzer_model_Click<Ctl::mnuIstrel>},
    {"mnuJovane", Event::Click, analyzer_model_Click<Ctl::mnuJovane>},
    {"mnuKelmar", Event::Click, analyzer_model_Click<Ctl::mnuKelmar>},
    {"mnuLorwen", Event::Click, analyzer_model_Click<Ctl::mnuLorwen>},
    {"mnuMorvel", Event::Click, analyzer_model_Click<Ctl::mnuMorvel>},
    {"mnuNalvor", Event::Click, analyzer_model_Click<Ctl::mnuNalvor>},
    {"mnuOstrel", Event::Click, analyzer_model_Click<Ctl::mnuOstrel>},
    {"mnuPellin", Event::Click, analyzer_model_Click<Ctl::mnuPellin>},
    {"mnuQuarro", Event::Click, analyzer_model_Click<Ctl::mnuQuarro>},
    {"mnuIntPA", Event::Click, mnuIntPA_Click},
    {"mnuSA_Unc", Event::Click, plain<mnuSA_Unc_Click>},
    {"mnuNSuser", Event::Click, plain<mnuNSuser_Click>},
    {"mnuNS_Mercury", Event::Click, mnuNS_Mercury_Click},
    {"mnuNS_Noisecom", Event::Click, mnuNS_Noisecom_Click},
    {"mnuNS_Quinstar", Event::Click, mnuNS_Quinstar_Click},
    {"mnuShowManMeas", Event::Click, plain<mnuShowManMeas_Click>},
    {"mnu2ndStage", Event::Click, plain<mnu2ndStage_Click>},
    {"mnuPreset", Event::Click, plain<mnuPreset_Click>},
    {"mnuReset", Event::Click, plain<mnuReset_Click>},
    {"mnuExit", Event::Click, plain<mnuExit_Click>},
    {"mnuHints", Event::Click, plain<mnuHints_Click>},
    {"mnuAbout", Event::Click, plain<mnuAbout_Click>},
    {"mnuRes", Event::Click, mnuRes_Click},
    {"mnuWeb", Event::Click, mnuWeb_Click},
    {"cmdOK", Event::Click, plain<cmdOK_Click>},
    {"OKButton", Event::Click, plain<OKButton_Click>},
    {"lblTermsLink", Event::Click, plain<lblTermsLink_Click>},
};
// clang-format on

}  // namespace

Handler find_handler(Ctl control, Event event) {
    if (control == Ctl::none) return nullptr;
    const std::string_view name = layout_row(control).name;
    for (const Binding& b : bindings) {
        if (b.control == name && b.event == event) return b.handler;
    }
    return nullptr;
}

bool run_click_handler(Calculator& calc, Ctl control) {
    const Handler h = find_handler(control, Event::Click);
    if (h == nullptr) return false;
    h(calc, layout_row(control).index < 0 ? 0 : layout_row(control).index);
    return true;
}

}  // namespace orlavex
