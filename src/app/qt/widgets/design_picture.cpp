#include "app/qt/widgets/design_picture.h"

#include <QPixmap>
#include <algorithm>
#include <cmath>

#include "app/qt/widgets/picture_image.h"
#include "base/error_boundary.h"
#include "display/picture_files.h"
#include "display/picture_variants.h"

namespace fluffo {

QLabel* add_design_picture(QWidget& parent, const QString& name, const QRect& geometry,
                           const std::string& file, bool transparent, ShellPort& shell) {
    auto* holder = new QLabel(&parent);
    holder->setObjectName(name);
    holder->setGeometry(geometry);
    load_design_picture(*holder, file, transparent, 1.0, shell);
    return holder;
}

void load_design_picture(QLabel& holder, const std::string& file, bool transparent, double scale,
                         ShellPort& shell) {
    const DiskPictureFiles files;
    if (!any_variant_exists(files, file)) return;
    run_guarded(shell, [&] {
        holder.setPixmap(
            QPixmap::fromImage(picture_image(*load_for_scale(files, file, scale), transparent)));
        holder.setScaledContents(true);
    });
}

void zoom_widgets(QWidget& window, double zoom) {
    const char* const place = "design_geometry";
    const char* const font_size = "design_font_pixels";
    const auto scaled = [zoom](int v) { return static_cast<int>(std::lround(v * zoom)); };
    if (!window.property(place).isValid())
        window.setProperty(place, QRect(QPoint(), window.size()));
    const QSize size = window.property(place).toRect().size();
    window.setFixedSize(scaled(size.width()), scaled(size.height()));
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->property(place).isValid()) {
            child->setProperty(place, child->geometry());
            child->setProperty(font_size, child->font().pixelSize());
        }
        const QRect r = child->property(place).toRect();
        child->setGeometry(scaled(r.x()), scaled(r.y()), scaled(r.width()), scaled(r.height()));
        if (const int pixels = child->property(font_size).toInt(); pixels > 0) {
            QFont font = child->font();
            font.setPixelSize(std::max(1, scaled(pixels)));
            child->setFont(font);
        }
    }
}

}  // namespace fluffo
