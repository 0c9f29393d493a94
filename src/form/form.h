// The window model: every control of the main window and its two dialogs as
// plain data, plus the few properties of the window itself. Handlers and the
// recalculation read and write it; the Qt window only renders it.
#pragma once

#include "form/layout.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orlavex {

struct Control {
    std::string text;  // text of an entry field, caption of anything else
    std::string tooltip;
    bool enabled = true;
    bool visible = true;
    int value = 0;         // check box 0/1; option button 0/1 (false/true)
    bool checked = false;  // menu item check mark
    std::int64_t backcolor = colour::none;
    std::int64_t forecolor = colour::none;
    std::int64_t fillcolor = colour::none;
    double fontsize = 8.25;
    int left = 0;
    int top = 0;
    int selstart = 0;
    int sellength = 0;
    bool centred = false;
    bool tabstop = false;
};

// Outer heights of the main window in twips.
inline constexpr int compact_height = 5480;
inline constexpr int extended_height = 7010;

struct Form {
    std::array<Control, control_count> controls;
    std::string caption;
    int height = 0;  // outer height, twips
    bool key_preview = false;
    bool shown = false;
    char decimal_separator = '.';
    Ctl focus = Ctl::none;
    Ctl popup = Ctl::none;            // pop-up menu asked for since the last look
    Ctl dialog = Ctl::none;           // modal window open (frmAbout, frmHints) or none
    std::vector<std::string> opened;  // web addresses opened since the last look
    bool unloaded = false;            // the program has ended

    Form();

    Control& operator[](Ctl id) { return controls[static_cast<std::size_t>(id)]; }
    const Control& operator[](Ctl id) const { return controls[static_cast<std::size_t>(id)]; }
};

// Shown on screen: visible itself and every frame around it.
bool is_showing(const Form& form, Ctl id);
// Able to take the focus: an entry field, check box, option button or push
// button that is showing and enabled (with every frame around it).
bool can_take_focus(const Form& form, Ctl id);
bool is_entry_field(Ctl id);

}  // namespace orlavex
