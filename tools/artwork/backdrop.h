#pragma once
// The fullscreen backdrop, a wooden table top the handheld lies on, and the logo shown in a
// corner of the screen.

#include <QImage>

namespace artwork {

QImage backdrop_picture();  // 1920 x 1080
QImage logo_picture();      // with alpha

}  // namespace artwork
