#pragma once
// A handheld's piezo speaker in a few lines: square-wave notes and glides, 16-bit mono at
// 22050 Hz, written as PCM WAV files. The square is built from its odd harmonics up to the
// top of the band, so high notes stay clean, and each note is eased in and out so nothing
// clicks.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace piezo {

inline constexpr int32_t Sample_Rate_Hz = 22050;

// The silence that ends a note unless a tune asks for another.
inline constexpr int32_t Default_Gap_Ms = 12;

// One step of a tune: a tone from start_hz to end_hz (equal for a held note; 0 is a rest)
// lasting duration_ms, of which the last gap_ms are silent so repeated notes stay apart.
struct Note {
    double start_hz;
    double end_hz;
    int32_t duration_ms;
    int32_t gap_ms = Default_Gap_Ms;
};

// A held note of pitch name like "C6", "F#5" or "Bb4"; "-" is a rest.
Note tone(const std::string& pitch, int32_t duration_ms, int32_t gap_ms = Default_Gap_Ms);
Note glide(const std::string& from_pitch, const std::string& to_pitch, int32_t duration_ms);
double pitch_hz(const std::string& pitch);

std::vector<int16_t> render(const std::vector<Note>& tune, double level = 0.3);

void write_wav(const std::filesystem::path& file, const std::vector<int16_t>& samples);

}  // namespace piezo
