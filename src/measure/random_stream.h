// The Monte Carlo's random numbers: independent streams seeded from (seed,
// stream index), so that the numbers a trial gets do not depend on which
// thread runs its block. The transforms are this library's own (no
// <random> distributions, no libm), so that a seed means the same numbers
// with every standard library, and they are written for the compiler to
// vectorise when a block is filled at once.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace orlavex::measure {

// SplitMix64 step: the seed sequence of the streams.
std::uint64_t splitmix64(std::uint64_t& state);

// Uniform in [0, 1) from the low 52 bits of a random word.
inline double uniform_of(std::uint64_t word) {
    return std::bit_cast<double>((word & 0xFFFFFFFFFFFFF) | 0x3FF0000000000000) - 1;
}

// Two independent standard normals (Box-Muller) from two random words: the
// radius from the first, the angle within a quarter turn from the second's
// low bits and its quadrant from the second's top two bits.
struct NormalPair {
    double first = 0, second = 0;
};

// The cosine of a phase uniform over the whole circle, from one word.
double cos_of_uniform_phase(std::uint64_t word);

// xoshiro256**: one stream.
class RandomStream {
  public:
    RandomStream(std::uint64_t seed, std::uint64_t stream);

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

// Several xoshiro256** streams stepped side by side, filling arrays of draws
// a block at a time: the lanes are independent, so the loops vectorise.
class LaneStreams {
  public:
    static constexpr std::size_t lanes = 4;
    // Lane i is the stream (seed, first_stream + i).
    LaneStreams(std::uint64_t seed, std::uint64_t first_stream);

    // N must be a multiple of 2 * lanes.
    void fill_uniform(double* out, std::size_t n);
    void fill_normal(double* out, std::size_t n);
    void fill_cos_of_uniform_phase(double* out, std::size_t n);

  private:
    // One word from every lane into words[0..lanes).
    void next(std::uint64_t* words);
    std::uint64_t s0_[lanes], s1_[lanes], s2_[lanes], s3_[lanes];
};

}  // namespace orlavex::measure
