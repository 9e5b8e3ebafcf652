#pragma once
// The type, ink and ground of the small windows: "Arial" at a pixel size (fontconfig gives its
// metric twin where Arial itself is missing), the core's UTF-8 texts as the toolkit's
// strings, a widget's text colour, the labels made of them, and the navy they stand on.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QRect>
#include <QString>
#include <QWidget>
#include <string_view>

namespace fluffo {

struct TextStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

QFont arial(int pixel_size, TextStyle style = {});
QString text_of(std::string_view text);
// The colour the widget's text is drawn in (its WindowText).
void set_ink(QWidget& widget, const QColor& colour);
// The navy ground of the about and key settings windows, filled behind every control.
void set_navy_ground(QWidget& window);
// A new label of parent's, named and placed, in that type and colour (text set by the caller).
QLabel* add_text_label(QWidget& parent, const QString& name, const QRect& geometry,
                       const QFont& font, const QColor& colour);

}  // namespace fluffo
