#pragma once
// A picture of a window's own design (Graphics/Window/) shown in a label of that window. A
// missing file leaves the label empty; a damaged one is told in the error box and leaves it
// empty too, so the window is still made whole.

#include <QLabel>
#include <QRect>
#include <QString>
#include <string>

#include "base/shell_port.h"

namespace fluffo {

// A new label of parent's, named and placed; a bitmap drawn transparent loses its
// bottom-left colour.
QLabel* add_design_picture(QWidget& parent, const QString& name, const QRect& geometry,
                           const std::string& file, bool transparent, ShellPort& shell);

// The label's picture again, in the variant for the scale (screen pixels per design pixel),
// filling the label whatever its size.
void load_design_picture(QLabel& holder, const std::string& file, bool transparent, double scale,
                         ShellPort& shell);

// A window of widgets designed at 100 % laid out at the zoom: the window and each child keep
// their design places, sizes and font sizes times the zoom. The design is what they had at
// the first call.
void zoom_widgets(QWidget& window, double zoom);

}  // namespace fluffo
