#include "window/dispatch.h"

#include "window/handlers.h"
#include "window/help.h"

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

constexpr Binding bindings[] = {
    {"chkFreqConv", Event::Click, plain<chkFreqConv_Click>},
    {"mnu2ndStage", Event::Click, plain<mnu2ndStage_Click>},
    {"mnuRes", Event::Click, mnuRes_Click},
    {"mnuWeb", Event::Click, mnuWeb_Click},
    {"mnuHints", Event::Click, plain<mnuHints_Click>},
    {"mnuAbout", Event::Click, plain<mnuAbout_Click>},
    {"cmdOK", Event::Click, plain<cmdOK_Click>},
    {"OKButton", Event::Click, plain<OKButton_Click>},
    {"lblTermsLink", Event::Click, plain<lblTermsLink_Click>},
    {"mnuExit", Event::Click, plain<mnuExit_Click>},
};

}  // namespace

Handler find_handler(Ctl control, Event event) {
    if (control == Ctl::none) return nullptr;
    const std::string_view name = spec(control).name;
    for (const Binding& b : bindings) {
        if (b.control == name && b.event == event) return b.handler;
    }
    return nullptr;
}

bool run_click_handler(Calculator& calc, Ctl control) {
    const Handler h = find_handler(control, Event::Click);
    if (h == nullptr) return false;
    h(calc, spec(control).index < 0 ? 0 : spec(control).index);
    return true;
}

}  // namespace orlavex
