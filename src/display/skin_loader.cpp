#include "display/skin_loader.h"

#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "display/centring.h"
#include "display/compositor.h"
#include "display/picture_loading.h"

namespace fluffo {

namespace {

enum LogoCorner : int32_t { Top_Left, Top_Right, Bottom_Left, Bottom_Right };

bool names_an_image_section(const IniProfile& ini) {
    for (int n = 1; n <= Skin_Image_Count; ++n) {
        if (ini.has_section("Image" + std::to_string(n))) return true;
    }
    return false;
}

}  // namespace

std::string window_size_refused_text(int32_t width, int32_t height) {
    return "Configuration file (Config.ini) sizes the window " + std::to_string(width) + " x " +
           std::to_string(height) + ", too large to draw. Please reinstall the game.";
}

SkinLoader::SkinLoader(MainScreen& screen, SkinWindow& window, SkinSources sources)
    : m_screen(screen),
      m_window(window),
      m_sources(std::move(sources)),
      m_backdrop(screen.model().require("im_backdrop")),
      m_logo(screen.model().require("im_backdrop_logo")),
      m_menu_background(screen.model().require("btn_game_menu_background")),
      m_menu_top(screen.model().require("btn_game_menu_top")) {
    Vid_Skin_Images.fill(-1);
}

void SkinLoader::Gfx_Load_Skin() {
    const ScreenModel& model = m_screen.model();
    for (int n = 1; n <= Skin_Image_Count; ++n) {
        Vid_Skin_Images[static_cast<size_t>(n)] = model.require(skin_image_name(n));
    }
    const std::optional<IniProfile> ini = read_skin_config();
    if (!ini) {
        end_set_up(Missing_Config_Message);
        return;
    }
    try {
        load_skin(*ini);
    } catch (...) {
        // A load that stops at an error still leaves the menu button to the display mode.
        show_game_menu_button();
        throw;
    }
}

std::optional<IniProfile> SkinLoader::read_skin_config() const {
    const std::string config_path = m_sources.config_path();
    // A Config.ini that cannot be opened counts as missing.
    std::optional<IniProfile> ini;
    if (m_sources.config.exists(config_path)) ini = m_sources.config.read(config_path);
    // One that names none of the image sections (empty, garbage) is no skin at all.
    if (ini && !names_an_image_section(*ini)) ini.reset();
    return ini;
}

void SkinLoader::load_skin(const IniProfile& ini) {
    const std::string skin_dir =
        m_sources.resolve(ini.read_directory("Common", "SkinDir", "Graphics\\Skin\\"));
    set_client_height(ini.read_integer("Common", "GameHeight", Design_Client.height));
    set_client_width(ini.read_integer("Common", "GameWidth", Design_Client.width));
    m_game_width = m_window.client_width();
    m_game_height = m_window.client_height();

    PictureLoading loading(m_sources.pictures, Max_Loading_Bytes, m_sources.scale);
    if (m_screen.Vid_Fullscreen) {
        load_fullscreen(ini, loading);
    } else {
        load_windowed(ini);
    }
    const int32_t width = m_window.client_width();
    const int32_t height = m_window.client_height();
    if (!frame_size_allowed(width, height)) {
        // No window of that size is ever made.
        set_client_width(Design_Client.width);
        set_client_height(Design_Client.height);
        end_set_up(window_size_refused_text(width, height));
        return;
    }
    load_image_sections(ini, skin_dir, loading);
    show_game_menu_button();
    loading.finish();
}

void SkinLoader::end_set_up(const std::string& message) {
    show_game_menu_button();
    m_window.show_error(message);
    m_window.terminate();
}

// The backdrop follows the client area on all four sides.
void SkinLoader::set_client_width(int32_t width) {
    m_window.set_client_width(width);
    Rect r = m_screen.model().at(m_backdrop).bounds;
    r.width = width;
    m_screen.model().set_bounds(m_backdrop, r);
}

void SkinLoader::set_client_height(int32_t height) {
    m_window.set_client_height(height);
    Rect r = m_screen.model().at(m_backdrop).bounds;
    r.height = height;
    m_screen.model().set_bounds(m_backdrop, r);
}

void SkinLoader::load_fullscreen(const IniProfile& ini, PictureLoading& loading) {
    const std::string backdrop_dir =
        m_sources.resolve(ini.read_directory("Fullscreen", "BackdropDir", "Graphics\\Backdrop\\"));

    // The screen in client pixels: the zoom makes each of them that many screen pixels.
    const auto in_client_pixels = [&](int32_t screen) {
        return clamp_to_int32(static_cast<int64_t>(std::ceil(screen / m_zoom - 1e-9)));
    };
    const int32_t screen_width = in_client_pixels(m_window.screen_width());
    const int32_t screen_height = in_client_pixels(m_window.screen_height());

    load_backdrop(ini, loading, backdrop_dir, screen_width, screen_height);

    const uint32_t colour = ini.read_colour("Fullscreen", "BgColor", "$00000000");
    m_window.set_colour(colour);
    m_window.set_colour_key_enabled(false);

    // A non-zero number places the skin; 0 or any text centres it on the screen, with the
    // game size still as the client size.
    const int32_t x = ini.read_offset("Fullscreen", "GameOffsetX");
    const int32_t y = ini.read_offset("Fullscreen", "GameOffsetY");
    Gfx_Offset_X = x != 0 ? x : centred_start(0, screen_width, m_window.client_width());
    Gfx_Offset_Y = y != 0 ? y : centred_start(0, screen_height, m_window.client_height());

    set_client_width(screen_width);
    set_client_height(screen_height);
    load_logo(ini, loading, backdrop_dir);
}

void SkinLoader::load_backdrop(const IniProfile& ini, PictureLoading& loading,
                               const std::string& backdrop_dir, int32_t screen_width,
                               int32_t screen_height) {
    const auto backdrop = ini.read_file_name("Fullscreen", "BackdropFile", "nil");
    if (!backdrop) return;
    ScreenModel& model = m_screen.model();
    // Only the low byte counts: 256 centres like 0.
    const bool stretch = (ini.read_integer("Fullscreen", "BackdropStretch", 0) & 0xff) != 0;
    // Stretched over the screen, the backdrop comes in the variant that covers the screen
    // with the fewest pixels to spare, whatever the zoom.
    const std::string path = backdrop_dir + *backdrop;
    PicturePtr picture = stretch ? loading.load_to_cover(path, screen_width, screen_height, nullptr)
                                 : loading.load(path, nullptr);
    if (!picture) return;
    model.set_picture(m_backdrop, std::move(picture));
    model.set_stretch(m_backdrop, stretch);
    model.set_visible(m_backdrop, true);
}

// The logo sits in the corner LogoPosition names, over the whole client area.
void SkinLoader::load_logo(const IniProfile& ini, PictureLoading& loading,
                           const std::string& backdrop_dir) {
    const auto logo = ini.read_file_name("Fullscreen", "LogoFile", "nil");
    PicturePtr logo_picture = logo ? loading.load(backdrop_dir + *logo, nullptr) : nullptr;
    if (!logo_picture) return;
    ScreenModel& model = m_screen.model();
    model.set_picture(m_logo, std::move(logo_picture));
    model.set_auto_size(m_logo, true);
    model.set_visible(m_logo, true);
    Rect r = model.at(m_logo).bounds;
    const int32_t right = clamp_to_int32(int64_t{m_window.client_width()} - r.width);
    const int32_t bottom = clamp_to_int32(int64_t{m_window.client_height()} - r.height);
    switch (ini.read_integer("Fullscreen", "LogoPosition", 1)) {
        case Top_Left:
            r.left = 0, r.top = 0;
            break;
        case Top_Right:
            r.left = right, r.top = 0;
            break;
        case Bottom_Left:
            r.left = 0, r.top = bottom;
            break;
        case Bottom_Right:
            r.left = right, r.top = bottom;
            break;
        default:
            break;  // any other corner leaves the logo where it is
    }
    model.set_bounds(m_logo, r);
}

void SkinLoader::load_windowed(const IniProfile& ini) {
    Gfx_Offset_X = 0;
    Gfx_Offset_Y = 0;
    m_window.set_colour(ini.read_colour("VideoMode", "TranspColor", "$00ff00ff"));
    m_window.set_colour_key(ini.read_colour("VideoMode", "TranspColor", "$00ff00ff"));
    m_window.set_colour_key_enabled(true);
    m_screen.model().set_visible(m_backdrop, false);
    m_screen.model().set_visible(m_logo, false);
}

void SkinLoader::load_image_sections(const IniProfile& ini, const std::string& skin_dir,
                                     PictureLoading& loading) {
    ScreenModel& model = m_screen.model();
    for (int n = 1; n <= Skin_Image_Count; ++n) {
        const HolderId id = Vid_Skin_Images[static_cast<size_t>(n)];
        const std::string section = "Image" + std::to_string(n);
        // No name keeps the picture the holder has, from the design or from the last run.
        if (const auto file = ini.read_file_name(section, "Filename", "")) {
            model.set_picture(id, loading.load(skin_dir + *file, placeholder_picture()));
        }
        Rect r;
        r.height = ini.read_integer(section, "Height", 0);
        r.left = clamp_to_int32(int64_t{ini.read_integer(section, "Left", 0)} + Gfx_Offset_X);
        r.top = clamp_to_int32(int64_t{ini.read_integer(section, "Top", 0)} + Gfx_Offset_Y);
        r.width = ini.read_integer(section, "Width", 0);
        model.set_bounds(id, r);
    }
}

// The in-game menu exists only in fullscreen mode; it always starts closed.
void SkinLoader::show_game_menu_button() {
    ScreenModel& model = m_screen.model();
    model.set_visible(m_menu_top, m_screen.Vid_Fullscreen);
    model.set_visible(m_menu_background, m_screen.Vid_Fullscreen);
    Rect r = model.at(m_menu_background).bounds;
    r.height = MainScreen::Game_Menu_Closed.height;
    r.width = MainScreen::Game_Menu_Closed.width;
    model.set_bounds(m_menu_background, r);
}

}  // namespace fluffo
