#pragma once
// The core's ports over the page: local storage as the store's medium, and Web Audio as the
// sound layer's back end (one AudioContext for the page's whole life; it starts sounding at
// the player's first gesture, as browsers require). What the handheld asked to play is heard
// before the back end, on the handheld's clock (WebPage's recorder), sounding or not.

#include <string>
#include <vector>

#include "app/web/web_store.h"
#include "base/audio_backend.h"

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
};

}  // namespace fluffo
