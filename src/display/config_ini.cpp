#include "display/config_ini.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace fluffo {
namespace {

// A value longer than this is cut, as the classic profile reader's buffer does.
constexpr size_t Max_Value_Length = 2047;

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// A matching pair of single or double quotes around the whole value goes; a lone quote stays.
std::string_view unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Decimal with an optional sign, or hexadecimal after "$", "0x" or "0X" (a sign may come
// first: "-$10" is -16). Hexadecimal without a sign takes all 32 bits, so "$FFFFFFFF" is -1
// as a colour number written that way expects; with a sign it must fit the signed range.
// Leading blanks are allowed, nothing else around the number.
std::optional<int32_t> parse_integer(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    bool negative = false;
    bool has_sign = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        has_sign = true;
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;

    const uint64_t limit = base == 16 && !has_sign ? 0xFFFF'FFFFu
                           : negative              ? 0x8000'0000u
                                                   : 0x7FFF'FFFFu;
    uint64_t magnitude = 0;
    for (char c : text) {
        const int digit = base == 16 ? hex_digit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0) return std::nullopt;
        magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (magnitude > limit) return std::nullopt;
    }
    const uint32_t bits = static_cast<uint32_t>(negative ? (0 - magnitude) : magnitude);
    return static_cast<int32_t>(bits);
}

std::string with_forward_slashes(std::string text) {
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

}  // namespace

IniProfile IniProfile::parse(std::istream& in) {
    IniProfile profile;
    Section* current = nullptr;  // null before the first section and inside a repeated one
    std::string line;
    bool first_line = true;
    while (std::getline(in, line)) {
        std::string_view text(line);
        if (first_line && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
        first_line = false;
        text = trim(text);  // also drops the CR of a CRLF line end
        if (text.empty() || text.front() == ';') continue;

        if (text.front() == '[') {
            const size_t close = text.find(']');
            if (close == std::string_view::npos) continue;
            const auto [it, added] =
                profile.m_sections.try_emplace(lower(trim(text.substr(1, close - 1))));
            current = added ? &it->second : nullptr;
            continue;
        }

        const size_t equals = text.find('=');
        if (current == nullptr || equals == std::string_view::npos) continue;
        const std::string_view value = unquote(trim(text.substr(equals + 1)));
        current->try_emplace(lower(trim(text.substr(0, equals))),
                             value.substr(0, Max_Value_Length));
    }
    return profile;
}

std::optional<std::string> IniProfile::value(std::string_view section, std::string_view key) const {
    const auto s = m_sections.find(lower(section));
    if (s == m_sections.end()) return std::nullopt;
    const auto e = s->second.find(lower(key));
    if (e == s->second.end()) return std::nullopt;
    return e->second;
}

bool IniProfile::has_section(std::string_view section) const {
    return m_sections.contains(lower(section));
}

std::string IniProfile::read_string(std::string_view section, std::string_view key,
                                    std::string_view default_value) const {
    return value(section, key).value_or(std::string(default_value));
}

int32_t IniProfile::read_integer(std::string_view section, std::string_view key,
                                 int32_t default_value) const {
    const std::optional<std::string> text = value(section, key);
    if (!text) return default_value;
    return parse_integer(*text).value_or(default_value);
}

uint32_t IniProfile::read_colour(std::string_view section, std::string_view key,
                                 std::string_view default_text) const {
    const std::string text = read_string(section, key, default_text);
    const std::optional<int32_t> number = parse_integer(text);
    if (!number) {
        throw MalformedColour("'" + text + "' is not a valid colour number ([" +
                              std::string(section) + "] " + std::string(key) + ")");
    }
    return static_cast<uint32_t>(*number);
}

int32_t IniProfile::read_offset(std::string_view section, std::string_view key) const {
    return read_integer(section, key, 0);
}

std::string IniProfile::read_directory(std::string_view section, std::string_view key,
                                       std::string_view default_value) const {
    std::string dir = with_forward_slashes(read_string(section, key, default_value));
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

std::optional<std::string> IniProfile::read_file_name(std::string_view section,
                                                      std::string_view key,
                                                      std::string_view default_value) const {
    std::string name = read_string(section, key, default_value);
    if (name.empty() || name == "nil") return std::nullopt;
    return with_forward_slashes(std::move(name));
}

}  // namespace fluffo
