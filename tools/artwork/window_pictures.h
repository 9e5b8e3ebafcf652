#pragma once
// The pictures of the program's other windows: the start screen's background, box picture and
// buttons, the about window's picture, the manual viewer's six buttons and the in-game menu's
// background.

#include <QImage>
#include <QString>
#include <vector>

namespace artwork {

struct WindowPicture {
    QString file;  // in the window-design folder
    QImage image;
};

std::vector<WindowPicture> window_pictures();

}  // namespace artwork
