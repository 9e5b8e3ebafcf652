#pragma once
// The 146 skin pictures with their holders' places, and the Config.ini that names them.

#include <QImage>
#include <QString>
#include <string>
#include <vector>

#include "display/screen_model.h"

namespace artwork {

struct SkinPicture {
    int number = 0;      // the image section, 1..146
    std::string name;    // the holder
    fluffo::Rect place;  // the design layout
    QString file;        // empty: the section says "nil"
    QImage image;        // exactly place's size when there is a file
};

std::vector<SkinPicture> skin_pictures();

// The whole Config.ini: the skin directory and window size, the fullscreen backdrop and
// logo, the window's colour key, the manual, and the 146 image sections.
std::string config_ini_text(const std::vector<SkinPicture>& pictures);

// Names of the fullscreen pictures in the backdrop directory.
inline constexpr const char* Backdrop_File = "Tabletop.jpg";
inline constexpr const char* Logo_File = "Logo.png";

}  // namespace artwork
