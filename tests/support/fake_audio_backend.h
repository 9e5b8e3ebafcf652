#pragma once
// A sound library that only keeps a log of its calls, for the tests of everything that starts,
// plays or releases sound.

#include <set>
#include <string>
#include <vector>

#include "base/audio_backend.h"

namespace fluffo {

// Logs every call as text; files listed in `missing` fail to load, handles count from 1.
struct FakeBackend : AudioBackend {
    std::vector<std::string> calls;
    std::set<std::string> missing;
    bool output_opens = true;
    SampleHandle next = 1;

    bool open(SoundOutput output, int32_t rate, int32_t channels) override {
        calls.push_back(std::string("open ") +
                        (output == SoundOutput::DirectSound ? "DirectSound" : "MultiMedia") + " " +
                        std::to_string(rate) + " " + std::to_string(channels));
        return output_opens;
    }
    bool open_silent(int32_t rate, int32_t channels) override {
        calls.push_back("open silent " + std::to_string(rate) + " " + std::to_string(channels));
        return true;
    }
    SampleHandle load(const std::string& file) override {
        calls.push_back("load " + file);
        return missing.count(file) ? Empty_Sample : next++;
    }
    void play(SampleHandle h) override { calls.push_back("play " + std::to_string(h)); }
    void stop_all() override { calls.push_back("stop all"); }
    void free_sample(SampleHandle h) override { calls.push_back("free " + std::to_string(h)); }
    void close() override { calls.push_back("close"); }
};

}  // namespace fluffo
