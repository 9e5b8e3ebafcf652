#include "app/web/page_ports.h"

#include "app/web/page_calls.h"

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
    return page::audio_load(file_name);
}

void PageAudio::play(SampleHandle sample) {
    page::audio_play(sample);
}

void PageAudio::stop_all() {
    page::audio_stop_all();
}

// The page's decoded samples live as long as the page.
void PageAudio::free_sample(SampleHandle) {}

// The context stays for the page's next start.
void PageAudio::close() {
    page::audio_stop_all();
}

}  // namespace fluffo
