// orlavex-cli: the calculator's figures, the uncertainty budget and the Monte
// Carlo from the command line.
#include "cli/run.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <exception>
#include <initializer_list>
#include <iostream>
#include <new>
#include <system_error>

namespace {

// PARTS as one line on standard error, as far as it takes them.
void write_line(std::initializer_list<const char*> parts) {
    for (const char* part : parts) {
        const std::size_t size = std::strlen(part);
        if (::write(STDERR_FILENO, part, size) != static_cast<ssize_t>(size)) return;
    }
    if (::write(STDERR_FILENO, "\n", 1) != 1) return;
}

// Where an exception leaves a function that may not throw (a destructor
// that needs memory to free a large value while memory is short): memory or
// threads the system would not give end the run as they do elsewhere, with
// one line and status 2, written without asking for more memory.
[[noreturn]] void end_for_want_of_resources() {
    try {
        if (const std::exception_ptr escaped = std::current_exception())
            std::rethrow_exception(escaped);
    } catch (const std::bad_alloc&) {
        write_line({orlavex::cli::out_of_memory_message});
        ::_exit(orlavex::cli::exit_bad_input);
    } catch (const std::system_error& e) {
        write_line({"orlavex-cli: ", e.what()});
        ::_exit(orlavex::cli::exit_bad_input);
    } catch (...) {
    }
    std::abort();
}

}  // namespace

int main(int argc, char** argv) {
    std::set_terminate(end_for_want_of_resources);
    std::ios::sync_with_stdio(false);
    try {
        return orlavex::cli::run(argc, argv, std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        // Even writing the message may need memory: then the status says it.
        std::cerr << orlavex::cli::out_of_memory_message << std::endl;
        return orlavex::cli::exit_bad_input;
    }
}
