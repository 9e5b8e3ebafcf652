#include "base/store_file_text.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace fluffo {

namespace {

constexpr std::string_view Utf8_Mark = "\xef\xbb\xbf";

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool is_special(char c) {
    return c == '=' || c == '\n' || c == '\r' || c == '\\' || c == '"' || c == ';';
}

// One logical line as QSettings cuts it: a quoted part and a backslash carry it over line
// breaks, a ';' outside quotes ends it (a line that starts with ';' is a comment and skipped).
struct Line {
    size_t start = 0;
    size_t end = 0;
    size_t equals = std::string_view::npos;
};

bool next_line(std::string_view data, size_t& pos, Line& line) {
    const size_t size = data.size();
    bool in_quotes = false;
    line.equals = std::string_view::npos;
    size_t start = pos;
    while (start < size && is_space(data[start]))
        ++start;
    size_t i = start;
    while (i < size) {
        const char c = data[i];
        if (!is_special(c)) {
            ++i;
            continue;
        }
        ++i;
        if (c == '=') {
            if (!in_quotes && line.equals == std::string_view::npos) line.equals = i - 1;
        } else if (c == '\n' || c == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!in_quotes) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < size) {
                const char escaped = data[i++];
                if (i < size) {
                    const char next = data[i];
                    if ((escaped == '\n' && next == '\r') || (escaped == '\r' && next == '\n')) ++i;
                }
            }
        } else if (c == '"') {
            in_quotes = !in_quotes;
        } else {  // ';'
            if (i == start + 1) {
                while (i < size && data[i] != '\n' && data[i] != '\r')
                    ++i;
                while (i < size && is_space(data[i]))
                    ++i;
                start = i;
            } else if (!in_quotes) {
                --i;
                break;
            }
        }
    }
    pos = i;
    line.start = start;
    line.end = i;
    return i > start;
}

// A section header names the general section as "[General]" (any case), also when its
// closing bracket is missing.
bool is_general_header(std::string_view data, const Line& line) {
    const std::string_view text = data.substr(line.start, line.end - line.start);
    const size_t close = text.find(']');
    std::string_view name =
        close == std::string_view::npos ? text.substr(1) : text.substr(1, close - 1);
    while (!name.empty() && is_space(name.front()))
        name.remove_prefix(1);
    while (!name.empty() && is_space(name.back()))
        name.remove_suffix(1);
    return name.size() == 7 && std::equal(name.begin(), name.end(), "general", [](char a, char b) {
               return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
           });
}

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void append_utf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xc0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3f));
    } else {
        out += static_cast<char>(0xe0 | ((code >> 12) & 0x0f));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (code & 0x3f));
    }
}

// A key as written: '%XX' and '%UXXXX' stand for a character, '\' for '/'.
std::string unescaped_key(std::string_view key) {
    if (key.starts_with(Utf8_Mark)) key.remove_prefix(Utf8_Mark.size());  // as Qt decodes it
    std::string out;
    size_t i = 0;
    while (i < key.size()) {
        const char c = key[i];
        if (c == '\\') {
            out += '/';
            ++i;
            continue;
        }
        if (c != '%' || i + 1 == key.size()) {
            out += c;
            ++i;
            continue;
        }
        size_t first = i + 1;
        size_t digits = 2;
        if (key[first] == 'U') {
            ++first;
            digits = 4;
        }
        uint32_t code = 0;
        bool ok = first + digits <= key.size();
        for (size_t d = 0; ok && d < digits; ++d) {
            const int v = hex_value(key[first + d]);
            ok = v >= 0;
            code = code * 16 + static_cast<uint32_t>(v);
        }
        if (!ok) {
            out += '%';
            ++i;
            continue;
        }
        append_utf8(out, code);
        i = first + digits;
    }
    return out;
}

// A value as written: quotes, C escapes and line continuations; a ',' outside quotes makes
// it a list. Spaces around an unquoted value do not count.
struct Unescaped {
    std::string text;
    bool is_list = false;
};

Unescaped unescaped_value(std::string_view raw) {
    Unescaped result;
    bool in_quotes = false;
    bool quoted = false;
    size_t i = 0;
    size_t keep = 0;  // trailing spaces before this length were written on purpose
    const auto skip_spaces = [&] {
        while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t'))
            ++i;
        keep = result.text.size();
    };
    const auto chop_spaces = [&] {
        if (quoted) return;
        while (result.text.size() > keep &&
               (result.text.back() == ' ' || result.text.back() == '\t'))
            result.text.pop_back();
    };
    skip_spaces();
    while (i < raw.size()) {
        const char c = raw[i];
        if (c == '\\') {
            if (++i >= raw.size()) break;
            const char e = raw[i++];
            static constexpr std::string_view from = "abfnrtv\"?'\\";
            static constexpr std::string_view to = "\a\b\f\n\r\t\v\"?'\\";
            if (const size_t k = from.find(e); k != std::string_view::npos) {
                result.text += to[k];
            } else if (e == 'x' || (e >= '0' && e <= '7')) {
                const int base = e == 'x' ? 16 : 8;
                uint32_t code = e == 'x' ? 0 : static_cast<uint32_t>(e - '0');
                while (i < raw.size()) {
                    const int v = hex_value(raw[i]);
                    if (v < 0 || v >= base) break;
                    code = (code * static_cast<uint32_t>(base) + static_cast<uint32_t>(v)) & 0xffff;
                    ++i;
                }
                append_utf8(result.text, code);
            } else if (e == '\n' || e == '\r') {
                if (i < raw.size() && (raw[i] == '\n' || raw[i] == '\r') && raw[i] != e) ++i;
            }
            keep = result.text.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            in_quotes = !in_quotes;
            if (!in_quotes) skip_spaces();
        } else if (c == ',' && !in_quotes) {
            chop_spaces();
            result.is_list = true;
            result.text.clear();
            quoted = false;
            ++i;
            skip_spaces();
        } else {
            result.text += c;
            ++i;
        }
    }
    chop_spaces();
    return result;
}

// What QSettings makes of a value's text: "@@..." is text beginning with one '@'; the types
// it writes as "@Name(...)" are not text.
StoredValue stored_value(std::string_view raw) {
    Unescaped value = unescaped_value(raw);
    if (value.is_list) return StoredValue{false, value.text};
    std::string& text = value.text;
    if (text.starts_with("@@")) return StoredValue{true, text.substr(1)};
    for (const std::string_view type : {"@ByteArray(", "@String(", "@Variant(", "@DateTime(",
                                        "@Rect(", "@Size(", "@Point(", "@Invalid()"}) {
        if (text.starts_with(type) && (type.ends_with(')') || text.ends_with(')')))
            return StoredValue{false, text};
    }
    return StoredValue{true, text};
}

// A value written so that QSettings reads back exactly the text.
std::string escaped_value(std::string_view text) {
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
               c == '-' || c == '+' || c == '.' || c == '_';
    });
    if (plain) return std::string(text);
    std::string out = "\"";
    if (text.starts_with('@')) out += '@';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            // The escape reads every hex digit after it: a quote closed and opened again ends it.
            const char* digits = "0123456789abcdef";
            out += "\\x";
            out += digits[(c >> 4) & 0xf];
            out += digits[c & 0xf];
            out += "\"\"";
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

// An entry of the general section: its name and where its value's text lies.
struct Entry {
    std::string name;
    size_t value_start = 0;
    size_t value_end = 0;
};

struct GeneralSection {
    std::vector<Entry> entries;
    size_t head = 0;  // where a new entry goes
    bool has_header = false;
};

GeneralSection general_section(std::string_view file) {
    GeneralSection section;
    size_t pos = file.starts_with(Utf8_Mark) ? Utf8_Mark.size() : 0;
    section.head = pos;
    bool in_general = true;
    bool first = true;
    Line line;
    while (next_line(file, pos, line)) {
        if (file[line.start] == '[') {
            in_general = is_general_header(file, line);
            if (first && in_general) {
                // After "[General]" and its line break, as QSettings writes the file.
                size_t after = line.end;
                if (after < file.size() && file[after] == '\r') ++after;
                if (after < file.size() && file[after] == '\n') ++after;
                section.head = after;
                section.has_header = true;
            }
        } else if (in_general && line.equals != std::string_view::npos) {
            size_t key_end = line.equals;
            while (key_end > line.start && (file[key_end - 1] == ' ' || file[key_end - 1] == '\t'))
                --key_end;
            section.entries.push_back(
                Entry{unescaped_key(file.substr(line.start, key_end - line.start)), line.equals + 1,
                      line.end});
        }
        first = false;
    }
    return section;
}

}  // namespace

std::map<std::string, StoredValue> store_file_values(std::string_view file) {
    std::map<std::string, StoredValue> values;
    for (const Entry& e : general_section(file).entries) {
        // An empty name or one with '/' names no value of the general section itself.
        if (e.name.empty() || e.name.find('/') != std::string::npos) continue;
        values[e.name] = stored_value(file.substr(e.value_start, e.value_end - e.value_start));
    }
    return values;
}

std::string store_file_with(std::string_view file, const StoreTexts& values) {
    const GeneralSection section = general_section(file);
    // Replacements in file order, each a span and its new text; new entries at the head.
    struct Edit {
        size_t start, end;
        std::string text;
    };
    std::vector<Edit> edits;
    std::string added;
    for (const auto& [name, text] : values) {
        bool found = false;
        for (const Entry& e : section.entries) {
            if (e.name != name) continue;
            edits.push_back(Edit{e.value_start, e.value_end, escaped_value(text)});
            found = true;
        }
        if (!found) added += name + "=" + escaped_value(text) + "\n";
    }
    if (!added.empty()) {
        const bool empty_file = file.find_first_not_of(" \t\r\n") == std::string_view::npos;
        if (!section.has_header && empty_file) added = "[General]\n" + added;
        edits.push_back(Edit{section.head, section.head, added});
    }
    std::stable_sort(edits.begin(), edits.end(),
                     [](const Edit& a, const Edit& b) { return a.start < b.start; });
    std::string out;
    out.reserve(file.size() + added.size() + 64);
    size_t pos = 0;
    for (const Edit& e : edits) {
        if (e.start < pos) continue;  // a name given twice: its first text stands
        out.append(file.substr(pos, e.start - pos));
        out += e.text;
        pos = e.end;
    }
    out.append(file.substr(pos));
    return out;
}

}  // namespace fluffo
