// orlavex-cli: the calculator's figures, the uncertainty budget and the Monte
// Carlo from the command line.
#include "cli/run.h"

#include <iostream>
#include <new>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    try {
        return orlavex::cli::run(argc, argv, std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        // Even writing the message may need memory: then the status says it.
        std::cerr << orlavex::cli::out_of_memory_message << std::endl;
        return orlavex::cli::exit_bad_input;
    }
}
