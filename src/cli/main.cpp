// orlavex-cli: the calculator's figures, the uncertainty budget and the Monte
// Carlo from the command line.
#include "cli/run.h"

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return orlavex::cli::run(argc, argv, std::cout, std::cerr);
}
