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

}  // namespace fluffo
