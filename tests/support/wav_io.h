#pragma once
// Just enough of the WAV format for the tests: write 16-bit mono PCM, read a file's format
// and its 16-bit frames back.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace fluffo::test {

struct WavFile {
    uint16_t format = 0;  // 1: PCM
    uint16_t channels = 0;
    uint32_t rate_hz = 0;
    uint16_t bits = 0;
    std::vector<int16_t> frames;  // the first channel

    double duration_ms() const {
        return rate_hz ? static_cast<double>(frames.size()) * 1000.0 / rate_hz : 0.0;
    }
};

inline uint32_t le_at(const std::string& bytes, size_t at, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    }
    return value;
}

// The plain 44-byte header that both the tests and the program's generator write.
inline std::optional<WavFile> read_wav(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 ||
        bytes.compare(8, 8, "WAVEfmt ") != 0 || bytes.compare(36, 4, "data") != 0) {
        return std::nullopt;
    }
    WavFile wav{static_cast<uint16_t>(le_at(bytes, 20, 2)),
                static_cast<uint16_t>(le_at(bytes, 22, 2)),
                le_at(bytes, 24, 4),
                static_cast<uint16_t>(le_at(bytes, 34, 2)),
                {}};
    const size_t end = std::min<size_t>(bytes.size(), 44 + le_at(bytes, 40, 4));
    const size_t frame_bytes = 2u * std::max<uint16_t>(wav.channels, 1);
    for (size_t at = 44; at + frame_bytes <= end; at += frame_bytes) {
        wav.frames.push_back(static_cast<int16_t>(le_at(bytes, at, 2)));
    }
    return wav;
}

inline void write_wav(const std::filesystem::path& file, const std::vector<int16_t>& frames,
                      uint32_t rate_hz = 22050) {
    std::ofstream out(file, std::ios::binary);
    auto put = [&](uint32_t value, int count) {
        for (int i = 0; i < count; ++i)
            out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    const auto data_bytes = static_cast<uint32_t>(frames.size() * 2);
    out.write("RIFF", 4);
    put(36 + data_bytes, 4);
    out.write("WAVEfmt ", 8);
    put(16, 4);
    put(1, 2);
    put(1, 2);
    put(rate_hz, 4);
    put(rate_hz * 2, 4);
    put(2, 2);
    put(16, 2);
    out.write("data", 4);
    put(data_bytes, 4);
    for (const int16_t f : frames)
        put(static_cast<uint16_t>(f), 2);
}

}  // namespace fluffo::test
