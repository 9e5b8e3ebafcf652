#pragma once
// Chance, as the handheld draws it: a uniform integer below n. The program seeds one generator
// from the clock at start-up; the headless driver and the tests seed it by hand, so a game
// replays the same from the same seed.

#include <cstdint>

namespace fluffo {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform integer in 0..n-1, n >= 1.
    virtual int32_t next_below(int32_t n) = 0;
};

// PCG32 with an unbiased bounded draw: fast, small and the same on every platform.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(uint64_t seed = 0) { reseed(seed); }
    void reseed(uint64_t seed);
    // The seed of the last reseeding: the same generator again from it.
    uint64_t seed() const { return m_seed; }
    int32_t next_below(int32_t n) override;
    uint32_t next_u32();

private:
    uint64_t m_seed = 0;
    uint64_t m_state = 0;
    uint64_t m_inc = 0;
};

// Differs from run to run: the wall clock in nanoseconds, folded to 32 bits so that a script's
// "seed N" can name it.
uint64_t clock_seed();

}  // namespace fluffo
