// orlavex-drive: runs the calculator's window model from a script on
// standard input and prints the window as JSON on `dump`.
#include "drive/driver.h"

#include <iostream>

int main() {
    std::ios::sync_with_stdio(false);
    orlavex::Driver driver;
    return driver.run_script(std::cin, std::cout, std::cerr);
}
