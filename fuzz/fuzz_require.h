// A fuzz target's check: a broken property stops the run with its reason.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace orlavex::fuzz {

inline void require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace orlavex::fuzz
