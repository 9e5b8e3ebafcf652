#pragma once
// The program's icon: the handheld from the front, a red case with Fluffo on its LCD and the
// controls below, on a clear background. Each size is drawn for itself with its straight edges
// on whole pixels, so the small ones stay sharp rather than being a blurred large one.

#include <QImage>
#include <QString>
#include <array>

namespace artwork {

// The sizes the desktop's icon themes ask for most; the largest is also the window icon.
inline constexpr std::array<int, 5> App_Icon_Sizes{32, 48, 64, 128, 256};

QImage app_icon(int size);
// Its file in the window-design folder: icon_<size>.png.
QString app_icon_file(int size);

}  // namespace artwork
