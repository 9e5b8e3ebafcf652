#include "art_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace artwork {

namespace {

void make_parent(const QString& path) {
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir)) {
        throw std::runtime_error("cannot create folder " + dir.toStdString());
    }
}

}  // namespace

void save_picture(const QImage& image, const QString& path) {
    make_parent(path);
    const QString suffix = QFileInfo(path).suffix().toLower();
    bool ok = false;
    if (suffix == "bmp") {
        // 24 bits: a bitmap's see-through colour is its bottom-left pixel, never an alpha.
        ok = image.convertToFormat(QImage::Format_RGB888).save(path, "BMP");
    } else if (suffix == "png") {
        ok = image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG");
    } else if (suffix == "jpg" || suffix == "jpeg") {
        ok = image.convertToFormat(QImage::Format_RGB888).save(path, "JPG", 88);
    }
    if (!ok) throw std::runtime_error("cannot write " + path.toStdString());
}

void save_text(const std::string& text, const QString& path) {
    make_parent(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size())) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

}  // namespace artwork
