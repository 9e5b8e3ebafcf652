#pragma once
// The core's ports over the page: local storage as the store's medium, and Web Audio as the
// sound layer's back end (one AudioContext for the page's whole life; it starts sounding at
// the player's first gesture, as browsers require). The back end also notes each sample it
// was asked to play, with the scheduler time, for the driver's "sounds".

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/web/web_store.h"
#include "base/audio_backend.h"
#include "engine/sound_recorder.h"

namespace fluffo {

class PageStorage : public StorageMedium {
public:
    std::optional<std::string> get(const std::string& name) override;
    bool set(const std::string& name, const std::string& text) override;
    void remove(const std::string& name) override;
    std::vector<std::string> names() override;
};

class PageAudio : public AudioBackend {
public:
    bool open(SoundOutput output, int32_t mix_rate_hz, int32_t channels) override;
    bool open_silent(int32_t mix_rate_hz, int32_t channels) override;
    SampleHandle load(const std::string& file_name) override;
    void play(SampleHandle sample) override;
    void stop_all() override;
    void free_sample(SampleHandle sample) override;
    void close() override;

    // Where "sounds" reads the time of each play; none: nothing is noted.
    void set_clock(std::function<int64_t()> now_ms) { m_now = std::move(now_ms); }
    std::vector<SoundRecorder::Played> take();

private:
    std::map<SampleHandle, Sample> m_samples;
    std::function<int64_t()> m_now;
    std::vector<SoundRecorder::Played> m_played;
};

}  // namespace fluffo
