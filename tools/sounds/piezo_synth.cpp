#include "piezo_synth.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>
#include <stdexcept>

namespace piezo {

namespace {

constexpr double kEaseMs = 3.0;  // long enough to kill the click, short enough to stay crisp

int32_t frames_of(double ms) {
    return static_cast<int32_t>(std::lround(ms * Sample_Rate_Hz / 1000.0));
}

// A square wave of the given phase (radians), summed from odd harmonics below the band's top.
double square(double phase, double freq_hz) {
    const double top_hz = Sample_Rate_Hz * 0.45;
    double value = 0.0;
    for (int k = 1; k * freq_hz < top_hz; k += 2)
        value += std::sin(k * phase) / k;
    return value * 4.0 / std::numbers::pi;
}

void put_le(std::ofstream& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

double pitch_hz(const std::string& pitch) {
    static constexpr int kSemitoneOfLetter[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (pitch.size() < 2 || pitch[0] < 'A' || pitch[0] > 'G') {
        throw std::invalid_argument("bad pitch " + pitch);
    }
    int semitone = kSemitoneOfLetter[pitch[0] - 'A'];
    size_t at = 1;
    if (pitch[at] == '#')
        ++semitone, ++at;
    else if (pitch[at] == 'b')
        --semitone, ++at;
    const int octave = std::stoi(pitch.substr(at));
    const int from_a4 = semitone - 9 + (octave - 4) * 12;
    return 440.0 * std::pow(2.0, from_a4 / 12.0);
}

Note tone(const std::string& pitch, int32_t duration_ms, int32_t gap_ms) {
    const double hz = pitch == "-" ? 0.0 : pitch_hz(pitch);
    return {hz, hz, duration_ms, gap_ms};
}

Note glide(const std::string& from_pitch, const std::string& to_pitch, int32_t duration_ms) {
    return {pitch_hz(from_pitch), pitch_hz(to_pitch), duration_ms};
}

std::vector<int16_t> render(const std::vector<Note>& tune, double level) {
    std::vector<int16_t> out;
    for (const Note& note : tune) {
        const int32_t total = frames_of(note.duration_ms);
        const int32_t sounding = note.start_hz > 0 ? frames_of(note.duration_ms - note.gap_ms) : 0;
        const int32_t ease = frames_of(kEaseMs);
        double phase = 0.0;
        for (int32_t i = 0; i < total; ++i) {
            double value = 0.0;
            if (i < sounding) {
                // Glides move evenly in pitch, as the ear hears them.
                const double t = sounding > 1 ? static_cast<double>(i) / (sounding - 1) : 0.0;
                const double hz = note.start_hz * std::pow(note.end_hz / note.start_hz, t);
                const double envelope =
                    std::min({1.0, (i + 1.0) / ease, static_cast<double>(sounding - i) / ease});
                value = square(phase, hz) * envelope * level;
                phase = std::fmod(phase + 2.0 * std::numbers::pi * hz / Sample_Rate_Hz,
                                  2.0 * std::numbers::pi);
            }
            out.push_back(static_cast<int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 32767)));
        }
    }
    return out;
}

void write_wav(const std::filesystem::path& file, const std::vector<int16_t>& samples) {
    std::ofstream out(file, std::ios::binary);
    const auto data_bytes = static_cast<uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    put_le(out, 36 + data_bytes, 4);
    out.write("WAVEfmt ", 8);
    put_le(out, 16, 4);  // size of the format block
    put_le(out, 1, 2);   // PCM
    put_le(out, 1, 2);   // mono
    put_le(out, Sample_Rate_Hz, 4);
    put_le(out, Sample_Rate_Hz * 2, 4);  // bytes per second
    put_le(out, 2, 2);                   // bytes per frame
    put_le(out, 16, 2);                  // bits per sample
    out.write("data", 4);
    put_le(out, data_bytes, 4);
    for (const int16_t s : samples)
        put_le(out, static_cast<uint16_t>(s), 2);
    // A short file still sits in the stream's buffer: only closing tells whether it was stored.
    out.close();
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace piezo
