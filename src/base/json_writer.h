#pragma once
// A small writer of one-line JSON texts for the headless driver's answers. It keeps the
// commas and nesting right and escapes strings so that the result is always valid JSON:
// quotes, backslashes and control characters are escaped, and bytes that are not UTF-8
// become U+FFFD, since a driver line may quote arbitrary input back.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fluffo {

// Appends text as a quoted, escaped JSON string.
void append_json_string(std::string& out, std::string_view text);

class JsonWriter {
public:
    JsonWriter& begin_object();
    JsonWriter& end_object();
    JsonWriter& begin_array();
    JsonWriter& end_array();
    // Names the next member of the object being written.
    JsonWriter& key(std::string_view name);

    JsonWriter& number(int64_t value);
    JsonWriter& boolean(bool value);
    JsonWriter& string(std::string_view text);

    const std::string& str() const { return m_out; }

private:
    void before_value();

    std::string m_out;
    std::vector<bool> m_first;  // per open container: nothing written in it yet
    bool m_after_key = false;
};

}  // namespace fluffo
