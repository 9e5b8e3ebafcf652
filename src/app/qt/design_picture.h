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

}  // namespace fluffo
