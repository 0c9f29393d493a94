// The Help and Web menus: the hints and About windows and the web links.
#pragma once

#include "engine/calculator.h"

#include <span>
#include <string_view>

namespace orlavex {

// A page the calculator opens in the system's browser. Pages that ship with
// the program are named relative to its document folder ("doc/...").
struct WebLink {
    std::string_view caption;
    std::string_view address;
};

inline constexpr std::string_view shipped_document_prefix = "doc/";

void mnuWeb_Click(Calculator& calc, int index);
void mnuHints_Click(Calculator& calc);
void mnuAbout_Click(Calculator& calc);
void frmAbout_Load(Calculator& calc);
void cmdOK_Click(Calculator& calc);
void OKButton_Click(Calculator& calc);
void lblTermsLink_Click(Calculator& calc);
void mnuExit_Click(Calculator& calc);
void Form_Unload(Calculator& calc);

}  // namespace orlavex
