#include "app/qt/widgets/window_text.h"

#include <QPalette>

namespace fluffo {

QFont arial(int pixel_size, TextStyle style) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixel_size);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    return font;
}

QString text_of(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void set_ink(QWidget& widget, const QColor& colour) {
    QPalette ink = widget.palette();
    ink.setColor(QPalette::WindowText, colour);
    widget.setPalette(ink);
}

QLabel* add_text_label(QWidget& parent, const QString& name, const QRect& geometry,
                       const QFont& font, const QColor& colour) {
    auto* label = new QLabel(&parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFont(font);
    set_ink(*label, colour);
    return label;
}

void set_navy_ground(QWidget& window) {
    QPalette navy = window.palette();
    navy.setColor(QPalette::Window, QColor(8, 41, 82));
    window.setPalette(navy);
    window.setAutoFillBackground(true);
}

}  // namespace fluffo
