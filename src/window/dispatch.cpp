#include "window/dispatch.h"

#include "form/layout_rows.h"
#include "window/catalogue_menus.h"
#include "window/formats.h"
#include "window/handlers.h"
#include "window/help.h"
#include "window/modes.h"
#include "window/selection.h"

#include <algorithm>
#include <array>
#include <span>

namespace orlavex {

namespace {

using enum Ctl;

struct Binding {
    Ctl control;  // a control, or the first item of an indexed menu array
    Event event;
    Handler handler;
};

template <void (*F)(Calculator&)>
void plain(Calculator& calc, Ctl /*control*/) {
    F(calc);
}

// Clicking CONTROL opens the pop-up menu MENU.
template <Ctl Menu>
void opens(Calculator& calc, Ctl /*control*/) {
    calc.form.popup = Menu;
}

// A handler of an indexed menu array, given the chosen item's index.
template <void (*F)(Calculator&, int)>
void indexed(Calculator& calc, Ctl item) {
    F(calc, std::max(0, layout_row(item).index));
}

// clang-format off
constexpr Binding bindings[] = {
    {optDUTIn_RL, Event::Click, plain<optDUTIn_RL_Click>},
    {optDUTIn_VSWR, Event::Click, plain<optDUTIn_VSWR_Click>},
    {optDUTOut_RL, Event::Click, plain<optDUTOut_RL_Click>},
    {optDUTOut_VSWR, Event::Click, plain<optDUTOut_VSWR_Click>},
    {optSA_InMatch_RL, Event::Click, plain<optSA_InMatch_RL_Click>},
    {optSA_InMatch_VSWR, Event::Click, plain<optSA_InMatch_VSWR_Click>},
    {optNS_Match_RL, Event::Click, plain<optNS_Match_RL_Click>},
    {optNS_Match_VSWR, Event::Click, plain<optNS_Match_VSWR_Click>},
    {optSA_Noise_DANL, Event::Click, plain<optSA_Noise_DANL_Click>},
    {optSA_Noise_NF, Event::Click, plain<optSA_Noise_NF_Click>},
    {chkFreqConv, Event::Click, plain<chkFreqConv_Click>},
    {chkIntPA, Event::Click, plain<chkIntPA_Click>},
    {chkIntPA, Event::MouseUp, plain<chkIntPA_MouseUp>},
    {chkExtPA, Event::Click, plain<chkExtPA_Click>},
    {chkUseManMeas, Event::Click, plain<chkUseManMeas_Click>},
    {SAdropdown, Event::MouseUp, opens<mnuSAtop>},
    {lblSAsel, Event::MouseUp, opens<mnuSAtop>},
    {NSdropdown, Event::MouseUp, opens<mnuNStop>},
    {lblNSsel, Event::MouseUp, opens<mnuNStop>},
    {lblNF_unc, Event::MouseUp, opens<mnuRes_top>},
    {lbl2ndStageBias, Event::Click, opens<mnuRes_top>},
    {frmUncResult, Event::Click, opens<mnuRes_top>},
    {mnuSAuser, Event::Click, plain<mnuSAuser_Click>},
    {mnuIntPA, Event::Click, indexed<mnuIntPA_Click>},
    {mnuSA_Unc, Event::Click, plain<mnuSA_Unc_Click>},
    {mnuNSuser, Event::Click, plain<mnuNSuser_Click>},
    {mnuShowManMeas, Event::Click, plain<mnuShowManMeas_Click>},
    {mnu2ndStage, Event::Click, plain<mnu2ndStage_Click>},
    {mnuPreset, Event::Click, plain<mnuPreset_Click>},
    {mnuReset, Event::Click, plain<mnuReset_Click>},
    {mnuExit, Event::Click, plain<mnuExit_Click>},
    {mnuHints, Event::Click, plain<mnuHints_Click>},
    {mnuAbout, Event::Click, plain<mnuAbout_Click>},
    {mnuRes, Event::Click, indexed<mnuRes_Click>},
    {mnuWeb, Event::Click, indexed<mnuWeb_Click>},
    {cmdOK, Event::Click, plain<cmdOK_Click>},
    {OKButton, Event::Click, plain<OKButton_Click>},
    {lblTermsLink, Event::Click, plain<lblTermsLink_Click>},
};
// clang-format on

// Every model item array of a catalogue menu runs its catalogue's handler.
constexpr auto model_bindings = [] {
    std::array<Binding, analyzer_family_menus.size() + noise_source_maker_menus.size()> out{};
    std::size_t n = 0;
    for (Ctl items : analyzer_family_menus)
        out[n++] = {items, Event::Click, analyzer_model_Click};
    for (Ctl items : noise_source_maker_menus)
        out[n++] = {items, Event::Click, noise_source_model_Click};
    return out;
}();

// An indexed menu array is bound at its first item only.
constexpr bool binds_first_items(std::span<const Binding> list) {
    return std::all_of(list.begin(), list.end(), [](const Binding& b) {
        return layout_table::rows[static_cast<std::size_t>(b.control)].index <= 0;
    });
}
static_assert(binds_first_items(bindings) && binds_first_items(model_bindings));

// No event of a control is bound twice (the second binding would never run).
constexpr bool each_event_bound_once() {
    const auto same = [](const Binding& a, const Binding& b) {
        return a.control == b.control && a.event == b.event;
    };
    for (std::size_t i = 0; i < std::size(bindings); ++i) {
        for (std::size_t j = i + 1; j < std::size(bindings); ++j) {
            if (same(bindings[i], bindings[j])) return false;
        }
        for (const Binding& m : model_bindings) {
            if (same(bindings[i], m)) return false;
        }
    }
    return true;
}
static_assert(each_event_bound_once());

Handler find_in(std::span<const Binding> list, Ctl control, Event event) {
    for (const Binding& b : list) {
        if (b.control == control && b.event == event) return b.handler;
    }
    return nullptr;
}

}  // namespace

Handler find_handler(Ctl control, Event event) {
    if (control == Ctl::none) return nullptr;
    const Ctl bound = first_item(control);
    if (const Handler h = find_in(bindings, bound, event); h != nullptr) return h;
    return find_in(model_bindings, bound, event);
}

bool run_click_handler(Calculator& calc, Ctl control) {
    const Handler h = find_handler(control, Event::Click);
    if (h == nullptr) return false;
    h(calc, control);
    return true;
}

}  // namespace orlavex
