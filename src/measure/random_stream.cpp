#include "measure/random_stream.h"

#include <cmath>

namespace orlavex::measure {

namespace {

std::uint64_t rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

}  // namespace

std::uint64_t splitmix64(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EB;
    return z ^ (z >> 31);
}

RandomStream::RandomStream(std::uint64_t seed, std::uint64_t block) {
    // Mix the seed and the block index separately so that neighbouring
    // seeds and neighbouring blocks give unrelated streams.
    std::uint64_t a = seed;
    std::uint64_t b = block ^ 0x6A09E667F3BCC909;
    std::uint64_t state = splitmix64(a) ^ rotl(splitmix64(b), 17);
    for (std::uint64_t& word : s_)
        word = splitmix64(state);
}

std::uint64_t RandomStream::next() {
    const std::uint64_t result = rotl(s_[1] * 5, 7) * 9;
    const std::uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = rotl(s_[3], 45);
    return result;
}

double RandomStream::uniform() {
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

double RandomStream::normal() {
    if (has_spare_) {
        has_spare_ = false;
        return spare_normal_;
    }
    double u, v, r2;
    do {
        u = 2 * uniform() - 1;
        v = 2 * uniform() - 1;
        r2 = u * u + v * v;
    } while (r2 >= 1 || r2 == 0);
    const double scale = std::sqrt(-2 * std::log(r2) / r2);
    spare_normal_ = v * scale;
    has_spare_ = true;
    return u * scale;
}

}  // namespace orlavex::measure
