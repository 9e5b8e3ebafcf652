// The samples the build synthesised into the run folder: the format the sound layer expects,
// lengths that fit the moments that play them, clean edges, and figures that go the right way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "engine/sample_player.h"
#include "support/wav_io.h"

namespace fluffo::test {
namespace {

WavFile generated(Sample sample) {
    const auto file = std::filesystem::path(FLUFFO_RUN_DIR_PATH) / "Sound" /
                      (std::string(sample_name(sample)) + ".wav");
    std::optional<WavFile> wav = read_wav(file);
    if (!wav) ADD_FAILURE() << "cannot read " << file;
    return wav.value_or(WavFile{});
}

// The pitch of a stretch of frames, from its sign changes (silence skipped).
double pitch_hz(const std::vector<int16_t>& frames, size_t first, size_t last, uint32_t rate_hz) {
    int changes = 0;
    int sign = 0;
    size_t sounding = 0;
    for (size_t i = first; i < last; ++i) {
        if (std::abs(frames[i]) < 200) continue;
        ++sounding;
        const int s = frames[i] > 0 ? 1 : -1;
        if (sign != 0 && s != sign) ++changes;
        sign = s;
    }
    return sounding ? changes / 2.0 / (static_cast<double>(sounding) / rate_hz) : 0.0;
}

// The sounding part of a sample, split in quarters: the pitch of the first and the last.
std::pair<double, double> first_and_last_pitch(const WavFile& wav) {
    const auto loud = [](int16_t f) { return std::abs(f) >= 200; };
    const auto begin = static_cast<size_t>(
        std::find_if(wav.frames.begin(), wav.frames.end(), loud) - wav.frames.begin());
    const auto end = wav.frames.size() - static_cast<size_t>(std::find_if(wav.frames.rbegin(),
                                                                          wav.frames.rend(), loud) -
                                                             wav.frames.rbegin());
    const size_t quarter = (end - begin) / 4;
    return {pitch_hz(wav.frames, begin, begin + quarter, wav.rate_hz),
            pitch_hz(wav.frames, end - quarter, end, wav.rate_hz)};
}

TEST(GeneratedSounds, NineMonoPcmFilesThatFitTheirMoments) {
    // Longest each may last: the intro is 2900 ms, a stage start step 700 ms, the power tones
    // alternate every 250 ms, a step of Game B takes 240 ms and the blip must be over well
    // within it; Bonus also sounds within a step.
    const std::map<Sample, double> limit_ms = {
        {Sample::Start, 2900},    {Sample::Stgstart, 700}, {Sample::Move, 120},
        {Sample::Power1, 250},    {Sample::Power2, 250},   {Sample::Bonus, 240},
        {Sample::Complete, 2450}, {Sample::Miss, 1700},    {Sample::Gameover, 3400}};
    for (const auto& [sample, limit] : limit_ms) {
        SCOPED_TRACE(std::string(sample_name(sample)));
        const WavFile wav = generated(sample);
        EXPECT_EQ(wav.format, 1);
        EXPECT_EQ(wav.channels, 1);
        EXPECT_EQ(wav.rate_hz, 22050u);
        EXPECT_EQ(wav.bits, 16);
        EXPECT_GT(wav.duration_ms(), 20.0);
        EXPECT_LT(wav.duration_ms(), limit);
        if (wav.frames.empty()) continue;
        // Loud enough to hear, with room left for several samples sounding at once.
        const int peak = std::abs(
            *std::max_element(wav.frames.begin(), wav.frames.end(),
                              [](int16_t a, int16_t b) { return std::abs(a) < std::abs(b); }));
        EXPECT_GT(peak, 6000);
        EXPECT_LT(peak, 16000);
        // Starts and ends at rest: no click.
        EXPECT_LT(std::abs(wav.frames.front()), 300);
        EXPECT_LT(std::abs(wav.frames.back()), 300);
    }
}

TEST(GeneratedSounds, BonusRisesMissFallsAndThePowerTonesDiffer) {
    const auto [bonus_first, bonus_last] = first_and_last_pitch(generated(Sample::Bonus));
    EXPECT_GT(bonus_last, bonus_first * 1.5);
    const auto [miss_first, miss_last] = first_and_last_pitch(generated(Sample::Miss));
    EXPECT_LT(miss_last, miss_first / 1.5);

    const WavFile power1 = generated(Sample::Power1);
    const WavFile power2 = generated(Sample::Power2);
    const double p1 = pitch_hz(power1.frames, 0, power1.frames.size(), power1.rate_hz);
    const double p2 = pitch_hz(power2.frames, 0, power2.frames.size(), power2.rate_hz);
    EXPECT_GT(std::max(p1, p2), std::min(p1, p2) * 1.2) << p1 << " Hz against " << p2 << " Hz";
}

}  // namespace
}  // namespace fluffo::test
