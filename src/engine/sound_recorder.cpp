#include "engine/sound_recorder.h"

namespace fluffo {

void SoundRecorder::Snd_Play(Sample sample) {
    if (!m_recording) return;
    m_played.push_back({m_now ? m_now() : 0, sample});
}

std::vector<SoundRecorder::Played> SoundRecorder::take() {
    std::vector<Played> out;
    out.swap(m_played);
    return out;
}

void SettableClock::set(int32_t hour, int32_t minute) {
    m_set_at_ms = m_now();
    m_minute_of_day = int64_t{hour} * 60 + minute;
}

LocalTime SettableClock::local_time() {
    const int64_t elapsed_min = (m_now() - m_set_at_ms) / 60000;
    const int64_t minute_of_day = ((m_minute_of_day + elapsed_min) % 1440 + 1440) % 1440;
    return {static_cast<int32_t>(minute_of_day / 60), static_cast<int32_t>(minute_of_day % 60)};
}

void SeededRandom::reseed(uint64_t seed) {
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

}  // namespace fluffo
