#pragma once
// The 146 skin picture holders of the main window, by image-section number (Image1..Image146
// of Config.ini) and by name, with the window's design layout for each and the design's client
// size: the reference geometry that a Config.ini reproduces and that the holders have before
// any skin is loaded.

#include <array>
#include <string_view>

#include "display/screen_model.h"

namespace fluffo {

inline constexpr int Skin_Image_Count = 146;

// The main window's client area in the design (Config.ini's GameWidth and GameHeight).
inline constexpr Rect Design_Client{0, 0, 440, 664};

struct SkinImage {
    std::string_view name;  // holder name, e.g. "im_wolf_3_4b"
    Rect design;            // Left, Top, Width, Height of the design layout
};

// Index 0 is Image1. The order is that of Vid_Skin_Images.
const std::array<SkinImage, Skin_Image_Count>& skin_images();

// The holder name of image section n (1..146); empty outside that range.
std::string_view skin_image_name(int n);

// The holder called name; throws std::logic_error for any other name.
const SkinImage& skin_image(std::string_view name);

}  // namespace fluffo
