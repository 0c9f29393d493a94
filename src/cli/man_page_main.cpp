// orlavex-man-page TEMPLATE OUTPUT: writes orlavex-cli's man page, the
// template's prose with the option lists written from the input rows. The
// build runs it; it is not installed.
#include "cli/man_option_lists.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: orlavex-man-page TEMPLATE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    if (!in) {
        std::cerr << "orlavex-man-page: cannot read " << argv[1] << "\n";
        return 1;
    }
    try {
        const std::string page = orlavex::cli::fill_man_page(text.str());
        std::ofstream out(argv[2], std::ios::binary);
        out << page;
        out.close();
        if (!out) {
            std::cerr << "orlavex-man-page: cannot write " << argv[2] << "\n";
            return 1;
        }
    } catch (const std::invalid_argument& e) {
        std::cerr << "orlavex-man-page: " << argv[1] << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
