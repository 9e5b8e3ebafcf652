#pragma once
// The main window as the program draws it from the skin, for the artist's eye and the
// manual: the skin pictures in their holders, drawn by the core's compositor.

#include <QImage>
#include <string>
#include <vector>

#include "skin_set.h"

namespace artwork {

enum class Scene {
    AllOn,   // every segment lit, the panel reading 88880
    Game,    // the middle of a game
    Arrows,  // a game with the controller overlays on and TIME held down
    Gates,   // the empty maze with two gates shut and Fluffo at a tunnel
};

QImage compose_main_window(const std::vector<SkinPicture>& pictures, Scene scene);

}  // namespace artwork
