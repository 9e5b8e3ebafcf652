#include "display/skin_sources.h"

#include <filesystem>
#include <fstream>
#include <memory>

namespace fluffo {
namespace {

// "dir" with a trailing "/" unless it is empty or has one ("\\" counts as one too).
std::string with_separator(std::string dir) {
    if (!dir.empty() && dir.back() != '/' && dir.back() != '\\') dir += '/';
    return dir;
}

}  // namespace

bool DiskConfigFiles::exists(const std::string& path) const {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::optional<IniProfile> DiskConfigFiles::read(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return IniProfile::parse(in);
}

std::string SkinSources::config_path() const {
    if (config_dir.empty()) return program_file(Config_File_Name);
    return with_separator(config_dir) + Config_File_Name;
}

std::string SkinSources::program_file(const std::string& name) const {
    return with_separator(program_dir) + name;
}

std::string SkinSources::resolve(const std::string& directory) const {
    const bool absolute = (!directory.empty() && directory.front() == '/') ||
                          (directory.size() >= 2 && directory[1] == ':');  // a drive letter
    if (absolute) return directory;
    return with_separator(relative_base) + directory;
}

PicturePtr placeholder_picture() {
    static const PicturePtr placeholder = [] {
        constexpr int32_t Side = 10;
        constexpr uint32_t Black = 0xff000000u;
        constexpr uint32_t Red = 0xff0000ffu;  // the brush $000000FF
        auto p = std::make_shared<Picture>();
        p->width = Side;
        p->height = Side;
        p->transparency = Transparency::BottomLeftKey;
        p->pixels.assign(Side * Side, Red);
        for (int32_t i = 0; i < Side; ++i) {
            p->pixels[static_cast<size_t>(i)] = Black;                      // top edge
            p->pixels[static_cast<size_t>((Side - 1) * Side + i)] = Black;  // bottom edge
            p->pixels[static_cast<size_t>(i * Side)] = Black;               // left edge
            p->pixels[static_cast<size_t>(i * Side + Side - 1)] = Black;    // right edge
        }
        return PicturePtr(std::move(p));
    }();
    return placeholder;
}

}  // namespace fluffo
