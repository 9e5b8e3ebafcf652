#pragma once
// The pointer shape a holder asks for, as the toolkit draws it: the hand over what can be
// pressed, the question mark over what explains itself, the arrow elsewhere.

#include <Qt>

#include "display/screen_model.h"

namespace fluffo {

Qt::CursorShape cursor_shape(Cursor cursor);

}  // namespace fluffo
