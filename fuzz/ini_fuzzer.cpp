// Feeds arbitrary text to the Config.ini reader and its typed reads, checking what the reads
// promise: values cut to 2047 characters, directories ending in one "/", no "\" left.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "display/config_ini.h"

namespace {

void check(bool promise) {
    if (!promise) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const fluffo::IniProfile ini = fluffo::IniProfile::parse(in);
    for (const char* section : {"s", "Common", "Image7"}) {
        for (const char* key : {"k", "Left", "SkinDir"}) {
            if (const auto value = ini.value(section, key)) check(value->size() <= 2047);
            ini.read_integer(section, key, 17);
            ini.read_offset(section, key);
            const std::string dir = ini.read_directory(section, key, "Graphics\\Skin\\");
            check(!dir.empty() && dir.back() == '/' && dir.find('\\') == std::string::npos);
            if (const auto name = ini.read_file_name(section, key, "nil")) {
                check(!name->empty() && *name != "nil" && name->find('\\') == std::string::npos);
            }
            try {
                ini.read_colour(section, key, "$00ff00ff");
            } catch (const fluffo::MalformedColour&) {
            }
        }
    }
    return 0;
}
