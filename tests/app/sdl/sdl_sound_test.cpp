// The sound layer on the real SDL2_mixer: the contract on the silent dummy driver, overlap
// proven on the disk driver's recorded mix, the missing folder, outputs that cannot open,
// a folder without Move.wav, and release of what was never started.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <random>
#include <thread>

#include "app/sdl/sdl_audio_backend.h"
#include "engine/sound_system.h"
#include "support/wav_io.h"

namespace fluffo::test {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one test and puts the old value back.
class EnvVar {
public:
    EnvVar(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvVar() {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// A fresh folder that is the working directory for the test, as the program's own folder is.
class WorkFolder {
public:
    WorkFolder() : m_old(fs::current_path()) {
        m_path =
            fs::temp_directory_path() / ("fluffo-sound-" + std::to_string(std::random_device{}()) +
                                         "-" + std::to_string(s_count++));
        fs::create_directories(m_path / "Sound");
        fs::current_path(m_path);
    }
    ~WorkFolder() {
        fs::current_path(m_old);
        fs::remove_all(m_path);
    }
    const fs::path& path() const { return m_path; }

    void copy_generated_sounds_except(const std::string& left_out = {}) const {
        for (const auto& entry : fs::directory_iterator(fs::path(FLUFFO_RUN_DIR_PATH) / "Sound")) {
            if (entry.path().filename() != left_out) {
                fs::copy_file(entry.path(), m_path / "Sound" / entry.path().filename());
            }
        }
    }

private:
    static inline int s_count = 0;
    fs::path m_old;
    fs::path m_path;
};

struct SdlSoundTest : ::testing::Test {
    MemoryStore store;
    std::vector<std::string> boxes;
    SoundSystem::ErrorBox box = [this](std::string_view t) { boxes.emplace_back(t); };

    std::string stored(const std::string& name) {
        const auto value = store.read_value(name);
        return value ? value->text : "<none>";
    }
    void expect_all_loaded(const SoundSystem& sound) {
        for (int i = 0; i < Sample_Count; ++i) {
            EXPECT_NE(sound.Snd_Samples()[static_cast<size_t>(i)], Empty_Sample)
                << sample_name(static_cast<Sample>(i));
        }
    }
};

TEST_F(SdlSoundTest, GeneratedSamplesLoadPlayTogetherAndStopOnTheDummyDriver) {
    WorkFolder folder;
    folder.copy_generated_sounds_except();
    SdlAudioBackend backend;
    SoundSystem sound{backend};
    ASSERT_EQ(sound.Snd_Init("Microsoft DirectSound", store, box), SoundStart::Started);
    EXPECT_FALSE(sound.output_fell_back());
    EXPECT_EQ(stored("SoundMode"), "0");
    expect_all_loaded(sound);
    EXPECT_EQ(Mix_AllocateChannels(-1), 64);

    // Long samples, so none can end before the count: each play takes its own channel.
    sound.Snd_Play(Sample::Start);
    sound.Snd_Play(Sample::Start);
    sound.Snd_Play(Sample::Gameover);
    EXPECT_EQ(Mix_Playing(-1), 3);
    sound.Snd_Silence();
    EXPECT_EQ(Mix_Playing(-1), 0);

    sound.Snd_Release();
    EXPECT_FALSE(backend.is_open());
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SdlSoundTest, NoSoundAndReleaseOfNothingNeverStartTheLibrary) {
    SdlAudioBackend backend;
    SoundSystem never_started{backend};
    never_started.Snd_Release();
    SoundSystem silent{backend};
    EXPECT_EQ(silent.Snd_Init("(no sound)", store, box), SoundStart::Silent);
    silent.Snd_Play(Sample::Bonus);
    silent.Snd_Silence();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    silent.Snd_Release();
    EXPECT_EQ(stored("SoundMode"), "2");
}

// Flat samples at known levels make the recorded mix readable: where two sound together the
// recording holds their sum. A second sample that cut the first would never show it.
TEST_F(SdlSoundTest, TwoSamplesSoundTogetherInTheRecordedMix) {
    WorkFolder folder;
    const std::vector<int16_t> bonus(22050 * 150 / 1000, 4000);
    const std::vector<int16_t> move(22050 * 150 / 1000, 6000);
    write_wav(folder.path() / "Sound/Bonus.wav", bonus);
    write_wav(folder.path() / "Sound/Move.wav", move);
    const fs::path recording = folder.path() / "mix.raw";
    EnvVar driver("SDL_AUDIODRIVER", "disk");
    EnvVar file("SDL_DISKAUDIOFILE", recording.c_str());
    // The disk driver writes in real time unless told otherwise: 2 ms per 46 ms buffer.
    EnvVar delay("SDL_DISKAUDIODELAY", "2");

    SdlAudioBackend backend;
    SoundSystem sound{backend};
    ASSERT_EQ(sound.Snd_Init("Microsoft DirectSound", store, box), SoundStart::Started);
    ASSERT_FALSE(sound.output_fell_back());
    const auto record_a_while = [&] {
        // Sixteen buffers (about 0.7 s of sound) after the plays; the samples last 0.15 s.
        const auto size_at_play = fs::file_size(recording);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (fs::file_size(recording) < size_at_play + 16 * 4096 &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    };
    sound.Snd_Play(Sample::Bonus);
    sound.Snd_Play(Sample::Move);
    record_a_while();
    sound.Snd_Play(Sample::Move);
    sound.Snd_Play(Sample::Move);
    record_a_while();
    sound.Snd_Release();

    std::ifstream in(recording, std::ios::binary);
    std::vector<int16_t> mix;
    int16_t value = 0;
    while (in.read(reinterpret_cast<char*>(&value), sizeof value))
        mix.push_back(value);
    ASSERT_GT(mix.size(), 2u * 16 * 1024);
    // Stereo frames; the level may lose a step in the mono to stereo conversion.
    const auto frames_near = [&](int level) {
        return std::count_if(mix.begin(), mix.end(),
                             [&](int16_t v) { return std::abs(v - level) <= 40; }) /
               2;
    };
    // At least a third of the 150 ms with both sounding (the second may start one buffer on).
    const long overlap_frames = 22050 * 50 / 1000;
    EXPECT_GE(frames_near(4000 + 6000), overlap_frames);
    EXPECT_GE(frames_near(6000 + 6000), overlap_frames);  // the same sample twice at once
    EXPECT_EQ(frames_near(4000 + 6000 + 6000), 0);        // and nothing else was mixed in
}

TEST_F(SdlSoundTest, EmptyFolderIsReportedAndTheChoiceForgotten) {
    WorkFolder folder;
    store.write_text("SplashScreen", "0");
    SdlAudioBackend backend;
    SoundSystem sound{backend};
    EXPECT_EQ(sound.Snd_Init("Windows MultiMedia", store, box), SoundStart::FolderMissing);
    EXPECT_EQ(boxes, std::vector<std::string>{std::string(Snd_Folder_Missing_Text)});
    EXPECT_EQ(stored("SoundMode"), "-1");
    EXPECT_EQ(stored("SplashScreen"), "1");
    sound.Snd_Release();
}

TEST_F(SdlSoundTest, OutputsThatCannotOpenFallBackToSilenceNotToAMissingFolder) {
    WorkFolder folder;
    folder.copy_generated_sounds_except();
    store.write_text("SplashScreen", "0");
    {
        // No such driver on this machine.
        EnvVar driver("SDL_AUDIODRIVER", "no-such-driver");
        SdlAudioBackend backend;
        SoundSystem sound{backend};
        ASSERT_EQ(sound.Snd_Init("Microsoft DirectSound", store, box), SoundStart::Started);
        EXPECT_TRUE(sound.output_fell_back());
        ASSERT_TRUE(backend.is_open());
        expect_all_loaded(sound);
        sound.Snd_Play(Sample::Start);
        EXPECT_EQ(Mix_Playing(-1), 1);  // playing, into the silent output
        sound.Snd_Release();
    }
    {
        // The driver is there but its device cannot be opened.
        EnvVar driver("SDL_AUDIODRIVER", "disk");
        EnvVar file("SDL_DISKAUDIOFILE", "/no-such-folder/mix.raw");
        SdlAudioBackend backend;
        SoundSystem sound{backend};
        ASSERT_EQ(sound.Snd_Init("Windows MultiMedia", store, box), SoundStart::Started);
        EXPECT_TRUE(sound.output_fell_back());
        EXPECT_TRUE(backend.is_open());
        expect_all_loaded(sound);
        sound.Snd_Release();
    }
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(stored("SoundMode"), "1");
    EXPECT_EQ(stored("SplashScreen"), "0");
}

TEST_F(SdlSoundTest, WithNoOutputAtAllTheFilesAreStillChecked) {
    EnvVar driver("SDL_AUDIODRIVER", "no-such-driver");
    WorkFolder folder;
    folder.copy_generated_sounds_except();
    SdlAudioBackend backend{{"no-such-driver", "no-such-driver", "no-silent-driver-either"}};
    SoundSystem sound{backend};
    EXPECT_EQ(sound.Snd_Init("Microsoft DirectSound", store, box), SoundStart::Started);
    EXPECT_FALSE(backend.is_open());
    expect_all_loaded(sound);
    sound.Snd_Play(Sample::Start);
    sound.Snd_Silence();
    sound.Snd_Release();
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SdlSoundTest, OnlyMoveMissingPlaysOnWithThatStepSilent) {
    WorkFolder folder;
    folder.copy_generated_sounds_except("Move.wav");
    SdlAudioBackend backend;
    SoundSystem sound{backend};
    ASSERT_EQ(sound.Snd_Init("Microsoft DirectSound", store, box), SoundStart::Started);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(sound.Snd_Samples()[static_cast<size_t>(Sample::Move)], Empty_Sample);
    sound.Snd_Play(Sample::Move);
    EXPECT_EQ(Mix_Playing(-1), 0);
    sound.Snd_Play(Sample::Gameover);
    EXPECT_EQ(Mix_Playing(-1), 1);
    sound.Snd_Release();
}

}  // namespace
}  // namespace fluffo::test
