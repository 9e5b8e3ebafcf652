#pragma once
// The handheld's plastic body on the window's colour key, and the pictures cut from it: the
// pressed buttons, the SET button, the controller and the controller-overlay arrows (opaque
// holders, so each carries the body around what it shows). The buttons sit in their holders'
// design places.

#include <QImage>
#include <QRect>

#include "colour_key.h"

namespace artwork {

// The whole case, its holder's size (im_background), opaque, with Colour_Key outside its
// rounded outline.
QImage body_picture();
// A button at place pressed in: the body there with the cap sunk in.
QImage pressed_button_picture(QRect place);
// The body as it is at place (the SET button, the controller).
QImage body_cut(QRect place);
enum class Arrow { Up, Left, Right, Down };
// The controller at place with a bright arrow to click.
QImage overlay_arrow_picture(QRect place, Arrow arrow);

}  // namespace artwork
