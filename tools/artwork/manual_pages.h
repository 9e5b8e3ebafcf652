#pragma once
// The printed manual of the handheld as eight pages of 275 x 415, with pictures of the
// handheld and its screen taken from the skin itself.

#include <QImage>
#include <vector>

#include "skin_set.h"

namespace artwork {

inline constexpr int Manual_Page_Width = 275;
inline constexpr int Manual_Page_Height = 415;

std::vector<QImage> manual_pages(const std::vector<SkinPicture>& skin);

}  // namespace artwork
