#include "engine/sample_player.h"

#include <array>

namespace fluffo {

namespace {
constexpr std::array<std::string_view, Sample_Count> kSampleNames = {
    "Bonus", "Complete", "Gameover", "Miss", "Move", "Power1", "Power2", "Start", "Stgstart"};
}  // namespace

std::string_view sample_name(Sample sample) {
    return kSampleNames[static_cast<size_t>(sample)];
}

std::optional<Sample> sample_from_name(std::string_view name) {
    for (size_t i = 0; i < kSampleNames.size(); ++i) {
        if (kSampleNames[i] == name) return static_cast<Sample>(i);
    }
    return std::nullopt;
}

}  // namespace fluffo
