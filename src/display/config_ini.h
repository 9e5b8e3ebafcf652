#pragma once
// Config.ini, the skin's description: the classic profile format (sections in brackets,
// key=value lines, names compared without regard to case) and the typed reads the skin and
// manual loaders use. The program only ever reads it.

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "base/platform_error.h"

namespace fluffo {

// A colour entry whose text is not a number: the skin load stops with this message.
class MalformedColour : public PlatformError {
public:
    using PlatformError::PlatformError;
};

class IniProfile {
public:
    // Reads the whole text: CRLF or LF, ";" comments, the first of duplicated sections and keys
    // wins, values trimmed and unquoted and cut to 2047 characters.
    static IniProfile parse(std::istream& in);

    // The value as written; nullopt when the section or the key is missing. A key present
    // with nothing after "=" gives the empty text.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    bool has_section(std::string_view section) const;

    std::string read_string(std::string_view section, std::string_view key,
                            std::string_view default_value) const;
    // Decimal with optional sign, or hexadecimal after "$", "0x" or "0X"; leading blanks
    // allowed. Anything else, a value out of 32 bits included, gives the default.
    int32_t read_integer(std::string_view section, std::string_view key,
                         int32_t default_value) const;
    // A colour 0x00BBGGRR (red in the low byte). Text that is not a number throws
    // MalformedColour naming the section, key and text.
    uint32_t read_colour(std::string_view section, std::string_view key,
                         std::string_view default_text) const;
    // A non-zero integer is a pixel offset; anything else (0, "Center", any text) is 0,
    // which means centred.
    int32_t read_offset(std::string_view section, std::string_view key) const;
    // A directory with "\" or "/" as separators, given back with "/" separators and a
    // trailing one; a relative path stays relative (to the current directory).
    std::string read_directory(std::string_view section, std::string_view key,
                               std::string_view default_value) const;
    // A file name; nullopt when it is empty or exactly "nil" (lower case). "\" becomes "/".
    std::optional<std::string> read_file_name(std::string_view section, std::string_view key,
                                              std::string_view default_value) const;

private:
    using Section = std::unordered_map<std::string, std::string>;  // by lower-case key
    std::unordered_map<std::string, Section> m_sections;           // by lower-case name
};

}  // namespace fluffo
