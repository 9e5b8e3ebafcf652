#include "app/headless/command_words.h"

#include <charconv>

namespace fluffo {

std::string quoted(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool continues_character = (c & 0xC0) == 0x80;
        if (!continues_character && ++characters > Quoted_Characters) {
            return out + "\"...";
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::vector<std::string_view> split_words(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

std::string_view usage_word(std::string_view usage, size_t index) {
    const std::vector<std::string_view> words = split_words(usage);
    return index < words.size() ? words[index] : std::string_view{};
}

int64_t number_arg(const Words& a, size_t i, std::string_view what, int64_t lo, int64_t hi) {
    const std::string_view text = a[i];
    int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool whole = ec == std::errc() && end == text.data() + text.size();
    const std::string where = std::string(a[0]) + ": " + std::string(what) + " ";
    if (!whole && ec != std::errc::result_out_of_range) {
        throw BadLine(where + quoted(text) + " is not a whole number");
    }
    if (!whole || value < lo || value > hi) {
        throw BadLine(where + quoted(text) + " is outside " + std::to_string(lo) + ".." +
                      std::to_string(hi));
    }
    return value;
}

int32_t int32_arg(const Words& a, size_t i, std::string_view what, int64_t lo, int64_t hi) {
    return static_cast<int32_t>(number_arg(a, i, what, lo, hi));
}

Dir dir_arg(const Words& a, size_t i) {
    const int32_t number = int32_arg(a, i, "DIR");
    if (number == bit(Dir::None)) return Dir::None;
    for (const Dir dir : All_Dirs) {
        if (number == bit(dir)) return dir;
    }
    throw BadLine(std::string(a[0]) + ": DIR " + quoted(a[i]) + " is not one of 0 1 2 4 8");
}

TimerId timer_arg(const Words& a, size_t i) {
    const std::optional<TimerId> id = timer_from_name(a[i]);
    if (!id) throw BadLine(std::string(a[0]) + ": unknown timer " + quoted(a[i]));
    return *id;
}

}  // namespace fluffo
