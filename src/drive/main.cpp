// orlavex-drive: runs the calculator's window model from a script on
// standard input and prints the window as JSON on `dump`.
#include "drive/driver.h"

#include <iostream>
#include <string_view>

namespace {

constexpr std::string_view usage =
    "usage: orlavex-drive [--help | --version] < SCRIPT\n"
    "\n"
    "Runs the Orlavex calculator's window model, freshly started, from a script\n"
    "on standard input: one command per line; blank lines and # lines are skipped.\n"
    "\n"
    "  focus NAME                 move the focus to a control\n"
    "  text NAME REST             set an entry field's text, as a paste does\n"
    "  type CHARS                 type each character into the focused control\n"
    "  key KEY [shift] [ctrl] [alt]\n"
    "                             PageUp PageDown Up Down Left Right Home End\n"
    "                             Enter Tab Backspace Escape, or a letter A-Z\n"
    "                             or digit 0-9 key (key-down only: key T alt)\n"
    "  select START LENGTH        select text in the focused field\n"
    "  click NAME [INDEX]         click a control or menu item\n"
    "  locale comma | point       the decimal separator numbers are written with\n"
    "  dump                       print the whole window as one line of JSON\n"
    "\n"
    "A line that cannot be carried out is reported on standard error as\n"
    "\"orlavex-drive: line N: reason\" and changes nothing; the exit status is\n"
    "then 2, else 0.\n";

}  // namespace

int main(int argc, char* argv[]) {
    if (argc > 1) {
        const std::string_view option = argv[1];
        if (argc == 2 && option == "--help") {
            std::cout << usage;
            return 0;
        }
        if (argc == 2 && option == "--version") {
            std::cout << "orlavex-drive " ORLAVEX_VERSION "\n";
            return 0;
        }
        std::cerr << "orlavex-drive: unknown argument \"" << option << "\"\n" << usage;
        return 2;
    }
    std::ios::sync_with_stdio(false);
    orlavex::Driver driver;
    return driver.run_script(std::cin, std::cout, std::cerr);
}
