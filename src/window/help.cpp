#include "window/help.h"

#include "engine/controls.h"
#include "form/layout_rows.h"

#include <array>

namespace orlavex {

using enum Ctl;

namespace {

// The maker's home page, the application note and the terms of use ship
// with the program, so that every link works without a network.
constexpr std::array<WebLink, 7> links{{
    {"Korvanti Home Page", "doc/orlavex.html"},
    {"Ap Note: Y-Factor for Noise Figure Measurements (7QN204)",
     "doc/y-factor-application-note.html"},
    {"Noisecom NC346 Series Noise Sources", "https://noisecom.com/"},
    {"Mercury Systems NS346 Series Noise Sources", "https://www.mrcy.com/"},
    {"Quinstar QNS Series Noise Sources", "https://quinstar.com/"},
    {"Sage Millimeter Noise Sources", "https://www.sagemillimeter.com/"},
    {"Terms of Use", "doc/terms-of-use.html"},
}};

// The Web menu offers the first six links, item by item; the About
// window's link follows them.
constexpr std::size_t web_menu_links = 6;
constexpr std::size_t terms_of_use = web_menu_links;

constexpr bool web_menu_shows_the_links() {
    if (layout_table::items_in(Ctl::mnuWeb) != static_cast<int>(web_menu_links)) return false;
    for (std::size_t i = 0; i < web_menu_links; ++i) {
        const ControlRow& row = layout_table::rows[static_cast<std::size_t>(mnuWeb) + i];
        if (row.text != links[i].caption) return false;
    }
    return layout_table::rows[static_cast<std::size_t>(lblTermsLink)].text ==
           links[terms_of_use].caption;
}
static_assert(web_menu_shows_the_links(),
              "the Web menu and the terms link show the links' captions");

void open(Calculator& calc, std::size_t link) {
    calc.form.opened.emplace_back(links[link].address);
}

}  // namespace

void mnuWeb_Click(Calculator& calc, int index) {
    // Only the menu's items reach here; anything else opens nothing.
    if (index >= 0 && static_cast<std::size_t>(index) < web_menu_links) {
        open(calc, static_cast<std::size_t>(index));
    }
}

void mnuHints_Click(Calculator& calc) {
    calc.form.dialog = frmHints;
}

void mnuAbout_Click(Calculator& calc) {
    frmAbout_Load(calc);
    calc.form.dialog = frmAbout;
}

void frmAbout_Load(Calculator& calc) {
    set_text(calc, lblVersion, "Version " + calc.state.VersionText);
    set_text(calc, lblDescription,
             "Korvanti\r\nApplication Note 7QN204\r\n" + calc.state.VersionDate);
}

void cmdOK_Click(Calculator& calc) {
    calc.form.dialog = Ctl::none;
}

void OKButton_Click(Calculator& calc) {
    calc.form.dialog = Ctl::none;
}

void lblTermsLink_Click(Calculator& calc) {
    open(calc, terms_of_use);
}

void mnuExit_Click(Calculator& calc) {
    calc.form.unloaded = true;
}

void Form_Unload(Calculator& calc) {
    calc.form.unloaded = true;
}

}  // namespace orlavex
