#pragma once
// The skin set-up of the main window: Config.ini sizes the window, picks the windowed look (a
// borderless window cut out by its colour key) or the fullscreen look (a screen-sized window
// with backdrop, colour and logo), and gives each of the 146 skin holders its picture, place
// and size. Runs at creation and again on every switch of display mode. A malformed colour
// stops the load with an exception (MalformedColour); what was done before it stays done. An
// undecodable picture blanks only its own holder (the placeholder for a skin image, nothing
// for the backdrop and logo): the load goes on and raises the first such error at its end.
// Each distinct file is decoded once, and the decoded pictures are capped in all. The in-game
// menu button follows the display mode however the load ends.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "display/main_screen.h"
#include "display/picture_loading.h"
#include "display/skin_images.h"
#include "display/skin_sources.h"
#include "display/skin_window.h"

namespace fluffo {

inline constexpr const char* Missing_Config_Message =
    "Configuration file (Config.ini) not found. Please reinstall the game.";
// Config.ini sizes the window beyond what can be drawn: the set-up ends as for a missing one.
std::string window_size_refused_text(int32_t width, int32_t height);

class SkinLoader {
public:
    SkinLoader(MainScreen& screen, SkinWindow& window, SkinSources sources);

    void Gfx_Load_Skin();

    // Window pixels per client pixel: in fullscreen the client area is the screen divided by
    // it, so the handheld shows that much larger on the table top. Applies at the next load.
    void set_zoom(double zoom) { m_zoom = zoom; }
    // Screen pixels per client pixel that pictures are loaded for, at the next load.
    void set_picture_scale(double scale) { m_sources.scale = scale; }
    double picture_scale() const { return m_sources.scale; }
    const SkinSources& sources() const { return m_sources; }
    // The handheld's own size (GameWidth x GameHeight) as the last load read it.
    int32_t game_width() const { return m_game_width; }
    int32_t game_height() const { return m_game_height; }

    // Vid_Skin_Images[n] is the holder of image section n (1..146); index 0 is unused.
    std::array<HolderId, Skin_Image_Count + 1> Vid_Skin_Images{};
    // Added to every image section's Left and Top; 0 in windowed mode.
    int32_t Gfx_Offset_X = 0;
    int32_t Gfx_Offset_Y = 0;

private:
    void set_client_width(int32_t width);
    void set_client_height(int32_t height);
    // Config.ini as read, or none when it is missing or names no image section.
    std::optional<IniProfile> read_skin_config() const;
    void load_skin(const IniProfile& ini);
    void load_fullscreen(const IniProfile& ini, PictureLoading& loading);
    void load_backdrop(const IniProfile& ini, PictureLoading& loading,
                       const std::string& backdrop_dir, int32_t screen_width,
                       int32_t screen_height);
    void load_logo(const IniProfile& ini, PictureLoading& loading, const std::string& backdrop_dir);
    void load_windowed(const IniProfile& ini);
    void load_image_sections(const IniProfile& ini, const std::string& skin_dir,
                             PictureLoading& loading);
    void show_game_menu_button();
    // Tells the message and asks for the end, the menu button set as always.
    void end_set_up(const std::string& message);

    MainScreen& m_screen;
    SkinWindow& m_window;
    SkinSources m_sources;
    double m_zoom = 1.0;
    int32_t m_game_width = Design_Client.width;
    int32_t m_game_height = Design_Client.height;
    HolderId m_backdrop;
    HolderId m_logo;
    HolderId m_menu_background;
    HolderId m_menu_top;
};

}  // namespace fluffo
