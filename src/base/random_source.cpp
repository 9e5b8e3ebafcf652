#include "base/random_source.h"

#include <chrono>

namespace fluffo {

void SeededRandom::reseed(uint64_t seed) {
    m_seed = seed;
    m_state = 0;
    m_inc = (seed << 1u) | 1u;
    next_u32();
    m_state += 0x853c49e6748fea9bULL ^ seed;
    next_u32();
}

uint32_t SeededRandom::next_u32() {
    const uint64_t old = m_state;
    m_state = old * 6364136223846793005ULL + m_inc;
    const auto xorshifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
    const auto rot = static_cast<uint32_t>(old >> 59u);
    return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
}

int32_t SeededRandom::next_below(int32_t n) {
    if (n <= 1) return 0;
    const auto bound = static_cast<uint32_t>(n);
    const uint32_t threshold = (0u - bound) % bound;  // rejects the biased low range
    for (;;) {
        const uint32_t r = next_u32();
        if (r >= threshold) return static_cast<int32_t>(r % bound);
    }
}

uint64_t clock_seed() {
    const auto ns = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch() /
                                          std::chrono::nanoseconds(1));
    return (ns ^ (ns >> 32u)) & 0xffffffffu;
}

}  // namespace fluffo
