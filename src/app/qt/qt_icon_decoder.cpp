#include "app/qt/qt_icon_decoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include "display/picture_decoders.h"

namespace fluffo {

PicturePtr QtIconDecoder::decode_icon(std::span<const uint8_t> bytes,
                                      const std::string& file_name) const {
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<qsizetype>(bytes.size()));
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");

    // An icon file holds several sizes; the reader starts with the first. Keep the largest,
    // checking each size before any pixel is decoded.
    QImage best;
    const int count = reader.imageCount() > 0 ? reader.imageCount() : 1;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i)) break;
        const QSize size = reader.size();
        if (!size.isEmpty()) check_picture_size(file_name, size.width(), size.height());
        QImage image = reader.read();
        if (image.isNull()) continue;
        if (best.isNull() || static_cast<int64_t>(image.width()) * image.height() >
                                 static_cast<int64_t>(best.width()) * best.height()) {
            best = std::move(image);
        }
    }
    if (best.isNull()) {
        const std::string reason = reader.errorString().toStdString();
        refuse_picture(file_name, "not a readable icon (" + reason + ")");
    }

    // RGBA8888 lies in memory as R, G, B, A: on a little-endian machine each pixel reads as
    // 0xAABBGGRR, the core's layout.
    const QImage rgba = best.convertToFormat(QImage::Format_RGBA8888);
    auto picture = std::make_shared<Picture>();
    picture->width = rgba.width();
    picture->height = rgba.height();
    picture->transparency = Transparency::Alpha;
    picture->pixels.resize(static_cast<size_t>(rgba.width()) * static_cast<size_t>(rgba.height()));
    for (int y = 0; y < rgba.height(); ++y) {
        const uchar* row = rgba.constScanLine(y);
        for (int x = 0; x < rgba.width(); ++x) {
            const uchar* p = row + x * 4;
            picture->pixels[static_cast<size_t>(y) * static_cast<size_t>(rgba.width()) +
                            static_cast<size_t>(x)] =
                static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
        }
    }
    return picture;
}

}  // namespace fluffo
