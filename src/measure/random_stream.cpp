#include "measure/random_stream.h"

#include "measure/block_math.h"

#include <cassert>
#include <cmath>
#include <numbers>

namespace orlavex::measure {

namespace {

constexpr std::uint64_t rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

// One xoshiro256** step on a state held in four words.
inline std::uint64_t xoshiro_next(std::uint64_t& s0, std::uint64_t& s1, std::uint64_t& s2,
                                  std::uint64_t& s3) {
    const std::uint64_t result = rotl(s1 * 5, 7) * 9;
    const std::uint64_t t = s1 << 17;
    s2 ^= s0;
    s3 ^= s1;
    s1 ^= s2;
    s0 ^= s3;
    s2 ^= t;
    s3 = rotl(s3, 45);
    return result;
}

void seed_state(std::uint64_t seed, std::uint64_t stream, std::uint64_t (&s)[4]) {
    // Mix the seed and the stream index separately so that neighbouring
    // seeds and neighbouring streams give unrelated streams.
    std::uint64_t a = seed;
    std::uint64_t b = stream ^ 0x6A09E667F3BCC909;
    std::uint64_t state = splitmix64(a) ^ rotl(splitmix64(b), 17);
    for (std::uint64_t& word : s)
        word = splitmix64(state);
}

constexpr std::uint64_t sign_bit = std::uint64_t{1} << 63;

inline double with_sign_of(double x, std::uint64_t sign) {
    return std::bit_cast<double>(std::bit_cast<std::uint64_t>(x) ^ sign);
}

inline NormalPair normal_pair_inline(std::uint64_t radius_word, std::uint64_t angle_word) {
    // 1 - u lies in (0, 1]: its logarithm is finite.
    const double radius = std::sqrt(-2 * block_math::log(1 - uniform_of(radius_word)));
    const block_math::CosSin quarter =
        block_math::cos_sin_quarter(std::numbers::pi / 2 * uniform_of(angle_word));
    // Independent signs of the two turn the quarter into the whole circle.
    return {with_sign_of(radius * quarter.cos, angle_word & sign_bit),
            with_sign_of(radius * quarter.sin, (angle_word << 1) & sign_bit)};
}

inline double cos_of_uniform_phase_inline(std::uint64_t word) {
    const double angle = std::numbers::pi / 2 * uniform_of(word);
    return with_sign_of(block_math::cos_sin_quarter(angle).cos, word & sign_bit);
}

// The most words a fill draws at once.
constexpr std::size_t max_fill = 512;

}  // namespace

std::uint64_t splitmix64(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EB;
    return z ^ (z >> 31);
}

double cos_of_uniform_phase(std::uint64_t word) {
    return cos_of_uniform_phase_inline(word);
}

RandomStream::RandomStream(std::uint64_t seed, std::uint64_t stream) {
    seed_state(seed, stream, s_);
}

std::uint64_t RandomStream::next() {
    return xoshiro_next(s_[0], s_[1], s_[2], s_[3]);
}

double RandomStream::uniform() {
    return uniform_of(next());
}

double RandomStream::normal() {
    if (has_spare_) {
        has_spare_ = false;
        return spare_normal_;
    }
    const std::uint64_t radius_word = next();
    const NormalPair pair = normal_pair_inline(radius_word, next());
    spare_normal_ = pair.second;
    has_spare_ = true;
    return pair.first;
}

LaneStreams::LaneStreams(std::uint64_t seed, std::uint64_t first_stream) {
    for (std::size_t lane = 0; lane < lanes; ++lane) {
        std::uint64_t s[4];
        seed_state(seed, first_stream + lane, s);
        s0_[lane] = s[0];
        s1_[lane] = s[1];
        s2_[lane] = s[2];
        s3_[lane] = s[3];
    }
}

void LaneStreams::next(std::uint64_t* words) {
    for (std::size_t lane = 0; lane < lanes; ++lane)
        words[lane] = xoshiro_next(s0_[lane], s1_[lane], s2_[lane], s3_[lane]);
}

void LaneStreams::fill_uniform(double* out, std::size_t n) {
    assert(n <= max_fill && n % (2 * lanes) == 0);
    std::uint64_t words[max_fill];
    for (std::size_t i = 0; i < n; i += lanes)
        next(words + i);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = uniform_of(words[i]);
}

void LaneStreams::fill_normal(double* out, std::size_t n) {
    assert(n <= max_fill && n % (2 * lanes) == 0);
    std::uint64_t words[max_fill];
    for (std::size_t i = 0; i < n; i += lanes)
        next(words + i);
    const std::size_t half = n / 2;
    for (std::size_t i = 0; i < half; ++i) {
        const NormalPair pair = normal_pair_inline(words[i], words[half + i]);
        out[i] = pair.first;
        out[half + i] = pair.second;
    }
}

void LaneStreams::fill_cos_of_uniform_phase(double* out, std::size_t n) {
    assert(n <= max_fill && n % (2 * lanes) == 0);
    std::uint64_t words[max_fill];
    for (std::size_t i = 0; i < n; i += lanes)
        next(words + i);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = cos_of_uniform_phase_inline(words[i]);
}

}  // namespace orlavex::measure
