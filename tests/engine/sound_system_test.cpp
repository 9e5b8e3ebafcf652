// The sound layer over a fake library: driver choice and SoundMode, the nine loads in table
// order, overlapping play, stop-all, the missing folder, an output that cannot open, release.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/sound_system.h"
#include "support/fake_audio_backend.h"

namespace fluffo {
namespace {

std::string stored(MemoryStore& store, const std::string& name) {
    const auto value = store.read_value(name);
    return value ? value->text : "<none>";
}

struct SoundSystemTest : ::testing::Test {
    FakeBackend backend;
    MemoryStore store;
    SoundSystem sound{backend};
    std::vector<std::string> boxes;

    SoundStart start(std::string_view text) {
        return sound.Snd_Init(text, store, [&](std::string_view t) {
            boxes.emplace_back(t);
            // The box is shown before the store forgets the choice.
            boxes.back() += " | SoundMode=" + stored(store, "SoundMode");
        });
    }
    std::vector<std::string> calls_from(size_t first) const {
        return {backend.calls.begin() + static_cast<ptrdiff_t>(first), backend.calls.end()};
    }
};

TEST_F(SoundSystemTest, NoSoundStartsNothingPlaysNothingYetReleasesNineEmptyHandles) {
    EXPECT_EQ(start("(no sound)"), SoundStart::Silent);
    EXPECT_EQ(stored(store, "SoundMode"), "2");
    EXPECT_FALSE(sound.Snd_Enabled());
    sound.Snd_Play(Sample::Move);
    sound.Snd_Silence();
    EXPECT_TRUE(backend.calls.empty());

    sound.Snd_Release();
    const std::vector<std::string> expected = {"free 0", "free 0", "free 0", "free 0", "free 0",
                                               "free 0", "free 0", "free 0", "free 0", "close"};
    EXPECT_EQ(backend.calls, expected);
}

TEST_F(SoundSystemTest, EachDriverIsItsModeAndOutputThenTheNineLoadInTableOrder) {
    EXPECT_EQ(start("Microsoft DirectSound"), SoundStart::Started);
    EXPECT_EQ(stored(store, "SoundMode"), "0");
    EXPECT_TRUE(sound.Snd_Enabled());
    EXPECT_FALSE(sound.output_fell_back());
    const std::vector<std::string> expected = {
        "open DirectSound 22050 64", "load Sound/Bonus.wav",  "load Sound/Complete.wav",
        "load Sound/Gameover.wav",   "load Sound/Miss.wav",   "load Sound/Move.wav",
        "load Sound/Power1.wav",     "load Sound/Power2.wav", "load Sound/Start.wav",
        "load Sound/Stgstart.wav"};
    EXPECT_EQ(backend.calls, expected);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(store.values().count("SplashScreen"), 0u);

    SoundSystem other{backend};
    other.Snd_Init("Windows MultiMedia", store, {});
    EXPECT_EQ(stored(store, "SoundMode"), "1");
    EXPECT_EQ(backend.calls[10], "open MultiMedia 22050 64");
}

TEST_F(SoundSystemTest, TextThatIsNoDriverChangesNothing) {
    EXPECT_EQ(start("Sound Blaster"), SoundStart::Silent);
    EXPECT_FALSE(sound.Snd_Enabled());
    EXPECT_TRUE(store.values().empty());
    EXPECT_TRUE(backend.calls.empty());
}

TEST_F(SoundSystemTest, PlaysOverlapAndSilenceStopsAll) {
    start("Microsoft DirectSound");
    const size_t first = backend.calls.size();
    sound.Snd_Play(Sample::Move);
    sound.Snd_Play(Sample::Bonus);
    sound.Snd_Play(Sample::Move);
    sound.Snd_Silence();
    // Handles follow the load order: Bonus 1 ... Move 5. Nothing stops between plays.
    const std::vector<std::string> expected = {"play 5", "play 1", "play 5", "stop all"};
    EXPECT_EQ(calls_from(first), expected);
}

TEST_F(SoundSystemTest, ReleaseFreesEachLoadedHandleInTableOrderThenCloses) {
    start("Windows MultiMedia");
    const size_t first = backend.calls.size();
    sound.Snd_Release();
    const std::vector<std::string> expected = {"free 1", "free 2", "free 3", "free 4", "free 5",
                                               "free 6", "free 7", "free 8", "free 9", "close"};
    EXPECT_EQ(calls_from(first), expected);
    sound.Snd_Play(Sample::Bonus);  // nothing left to play after release
    EXPECT_EQ(backend.calls.back(), "close");
}

TEST_F(SoundSystemTest, MissingFolderShowsTheBoxThenForgetsTheChoice) {
    for (int i = 0; i < Sample_Count; ++i) {
        backend.missing.insert(sample_file_name(static_cast<Sample>(i)));
    }
    store.write_text("SplashScreen", "0");
    EXPECT_EQ(start("Microsoft DirectSound"), SoundStart::FolderMissing);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0],
              "Sound folder unproperly installed. Please reinstall the game. | SoundMode=0");
    EXPECT_EQ(stored(store, "SoundMode"), "-1");
    EXPECT_EQ(stored(store, "SplashScreen"), "1");
}

TEST_F(SoundSystemTest, OnlyBonusDecidesTheFolder) {
    backend.missing = {"Sound/Move.wav"};
    EXPECT_EQ(start("Microsoft DirectSound"), SoundStart::Started);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(sound.Snd_Samples()[static_cast<size_t>(Sample::Move)], Empty_Sample);
    const size_t first = backend.calls.size();
    sound.Snd_Play(Sample::Move);  // silent, and the others still sound
    sound.Snd_Play(Sample::Miss);
    EXPECT_EQ(calls_from(first), std::vector<std::string>{"play 4"});

    SoundSystem other{backend};
    backend.missing = {"Sound/Bonus.wav"};
    EXPECT_EQ(other.Snd_Init("Windows MultiMedia", store, {}), SoundStart::FolderMissing);
}

TEST_F(SoundSystemTest, OutputThatCannotOpenFallsBackSilentlyAndKeepsTheChoice) {
    backend.output_opens = false;
    store.write_text("SplashScreen", "0");
    EXPECT_EQ(start("Microsoft DirectSound"), SoundStart::Started);
    EXPECT_TRUE(sound.output_fell_back());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(stored(store, "SoundMode"), "0");
    EXPECT_EQ(stored(store, "SplashScreen"), "0");
    ASSERT_GE(backend.calls.size(), 3u);
    EXPECT_EQ(backend.calls[1], "open silent 22050 64");
    EXPECT_EQ(backend.calls[2], "load Sound/Bonus.wav");
}

TEST_F(SoundSystemTest, RefusedSoundModeWriteStartsNothing) {
    store.set_refuse_writes(true);
    EXPECT_THROW(start("Microsoft DirectSound"), StoreError);
    EXPECT_TRUE(backend.calls.empty());
    EXPECT_FALSE(sound.Snd_Enabled());
}

}  // namespace
}  // namespace fluffo
