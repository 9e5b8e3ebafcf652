#pragma once
// Where the skin and manual loaders find their files: Config.ini in the program's directory (or
// in a skin folder tried instead), the picture files it names, and the directory its relative
// paths start from. Also the placeholder that stands in for a missing picture file.

#include <optional>
#include <string>

#include "display/config_ini.h"
#include "display/picture.h"
#include "display/picture_files.h"
#include "display/picture_variants.h"

namespace fluffo {

// Reading Config.ini.
class ConfigFiles {
public:
    virtual ~ConfigFiles() = default;
    virtual bool exists(const std::string& path) const = 0;
    // The parsed file; nullopt when it cannot be opened.
    virtual std::optional<IniProfile> read(const std::string& path) const = 0;
};

class DiskConfigFiles : public ConfigFiles {
public:
    bool exists(const std::string& path) const override;
    std::optional<IniProfile> read(const std::string& path) const override;
};

inline constexpr const char* Config_File_Name = "Config.ini";
// The pictures of the program's own windows (start screen, about, manual buttons, in-game menu),
// beside the program: they belong to the windows' design, not to the skin.
inline constexpr const char* Window_Design_Folder = "Graphics/Window/";

struct SkinSources {
    const ConfigFiles& config;
    const PictureFiles& pictures;
    // The program's own directory, which holds Config.ini. Empty means the current one.
    std::string program_dir;
    // The directory that relative directories of Config.ini start from. The desktop program
    // runs in its own directory and leaves this empty (the current directory); the headless
    // driver points it at the skin directory so it never changes directory.
    std::string relative_base;
    // Screen pixels per window pixel that pictures are loaded for: each picture comes in the
    // variant drawn for it (name@2x.png ...) where there is one.
    double scale = 1.0;
    // The directory of Config.ini when the skin is tried from elsewhere; empty: program_dir.
    std::string config_dir = {};

    std::string config_path() const;
    // A file of the program's own, named relative to its directory
    // ("Graphics/Window/game_menu.png").
    std::string program_file(const std::string& name) const;
    // A directory read from Config.ini ("/" separators, trailing "/") made usable: an
    // absolute one as it is, a relative one below relative_base.
    std::string resolve(const std::string& directory) const;

    // Whether the picture file is there, in any variant the scale could load.
    bool picture_exists(const std::string& path) const {
        return exists_for_scale(pictures, path, scale);
    }
    // The picture's variant for the scale; throws UndecodablePicture.
    PicturePtr load_picture(const std::string& path) const {
        return load_for_scale(pictures, path, scale);
    }
};

// A 10 x 10 bitmap: a red 8 x 8 square in a one-pixel black frame. Being a bitmap, its
// bottom-left black is see-through in a transparent holder, so only the red square shows.
PicturePtr placeholder_picture();

}  // namespace fluffo
