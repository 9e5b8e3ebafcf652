#include "app/web/page_ports.h"

#include "app/web/page_calls.h"
#include "engine/sample_player.h"

namespace fluffo {

std::optional<std::string> PageStorage::get(const std::string& name) {
    return page::storage_get(name);
}

bool PageStorage::set(const std::string& name, const std::string& text) {
    return page::storage_set(name, text);
}

void PageStorage::remove(const std::string& name) {
    page::storage_remove(name);
}

std::vector<std::string> PageStorage::names() {
    std::vector<std::string> out;
    const std::string all = page::storage_names();
    size_t from = 0;
    while (from < all.size()) {
        const size_t end = all.find('\n', from);
        const size_t stop = end == std::string::npos ? all.size() : end;
        if (stop > from) out.push_back(all.substr(from, stop - from));
        from = stop + 1;
    }
    return out;
}

// The page has one output; both choices of the start screen sound through it.
bool PageAudio::open(SoundOutput, int32_t, int32_t) {
    return page::audio_open();
}

bool PageAudio::open_silent(int32_t, int32_t) {
    return true;
}

SampleHandle PageAudio::load(const std::string& file_name) {
    const SampleHandle handle = page::audio_load(file_name);
    if (handle == Empty_Sample) return Empty_Sample;
    // "Sound/Bonus.wav": the sample is named by the file's stem.
    const size_t slash = file_name.find_last_of('/');
    std::string stem = file_name.substr(slash == std::string::npos ? 0 : slash + 1);
    if (const size_t dot = stem.rfind('.'); dot != std::string::npos) stem.resize(dot);
    if (const auto sample = sample_from_name(stem)) m_samples[handle] = *sample;
    return handle;
}

void PageAudio::play(SampleHandle sample) {
    page::audio_play(sample);
    const auto it = m_samples.find(sample);
    if (m_now && it != m_samples.end()) m_played.push_back({m_now(), it->second});
}

void PageAudio::stop_all() {
    page::audio_stop_all();
}

void PageAudio::free_sample(SampleHandle sample) {
    m_samples.erase(sample);
}

// The context stays for the page's next start.
void PageAudio::close() {
    page::audio_stop_all();
}

std::vector<SoundRecorder::Played> PageAudio::take() {
    return std::exchange(m_played, {});
}

}  // namespace fluffo
