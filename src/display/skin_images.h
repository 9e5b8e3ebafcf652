#pragma once
// The 146 skin picture holders of the main window, by image-section number (Image1..Image146
// of Config.ini), with the window's design layout for each: the reference geometry that a
// Config.ini reproduces and that the holders have before any skin is loaded.

#include <array>
#include <string_view>

#include "display/screen_model.h"

namespace fluffo {

inline constexpr int Skin_Image_Count = 146;

struct SkinImage {
    std::string_view name;  // holder name, e.g. "im_wolf_3_4b"
    Rect design;            // Left, Top, Width, Height of the design layout
};

// Index 0 is Image1. The order is that of Vid_Skin_Images.
const std::array<SkinImage, Skin_Image_Count>& skin_images();

// The holder name of image section n (1..146); empty outside that range.
std::string_view skin_image_name(int n);

}  // namespace fluffo
