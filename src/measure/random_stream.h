// The Monte Carlo's random numbers: one independent stream per block of
// trials, seeded from (seed, block index), so that the numbers a trial gets
// do not depend on which thread runs its block.
#pragma once

#include <cstdint>

namespace orlavex::measure {

// SplitMix64 step: the seed sequence of the streams.
std::uint64_t splitmix64(std::uint64_t& state);

// xoshiro256** with the normal (Marsaglia polar), uniform and phase draws
// the error sources need. Its own transforms, not <random>'s distributions,
// so that a seed means the same numbers with every standard library.
class RandomStream {
  public:
    RandomStream(std::uint64_t seed, std::uint64_t block);

    std::uint64_t next();
    // Uniform in [0, 1).
    double uniform();
    // Standard normal.
    double normal();

  private:
    std::uint64_t s_[4];
    double spare_normal_ = 0;
    bool has_spare_ = false;
};

}  // namespace orlavex::measure
