#include "app/qt/design_picture.h"

#include <QPixmap>

#include "app/qt/picture_image.h"
#include "base/error_boundary.h"
#include "display/picture_files.h"

namespace fluffo {

QLabel* add_design_picture(QWidget& parent, const QString& name, const QRect& geometry,
                           const std::string& file, bool transparent, ShellPort& shell) {
    auto* holder = new QLabel(&parent);
    holder->setObjectName(name);
    holder->setGeometry(geometry);
    const DiskPictureFiles files;
    if (!files.exists(file)) return holder;
    run_guarded(shell, [&] {
        holder->setPixmap(QPixmap::fromImage(picture_image(*files.load(file), transparent)));
    });
    return holder;
}

}  // namespace fluffo
