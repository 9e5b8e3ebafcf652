#pragma once
// The handheld's plastic body on the window's colour key, and the pictures cut from it: the
// pressed buttons, the SET button, the controller and the controller-overlay arrows (opaque
// holders, so each carries the body around what it shows); and the screen-top overlay, the
// LCD's frame and glass laid over the figures.

#include <QImage>
#include <QRect>

#include "colour_key.h"

namespace artwork {

// The whole case, 440 x 664, opaque, with Colour_Key outside its rounded outline.
QImage body_picture();
// A button at place pressed in: the body there with the cap sunk in.
QImage pressed_button_picture(QRect place);
// The body as it is at place (the SET button, the controller).
QImage body_cut(QRect place);
enum class Arrow { Up, Left, Right, Down };
// The controller at place with a bright arrow to click.
QImage overlay_arrow_picture(QRect place, Arrow arrow);
// The LCD's frame and glass reflection, clear where the figures show.
QImage screen_top_picture(QRect place);

}  // namespace artwork
