#pragma once
// Writing the generated files: pictures by their extension (24-bit bitmap, PNG with alpha,
// JPEG) and texts, creating folders as needed. Failures stop the generator.

#include <QImage>
#include <QString>
#include <string>

namespace artwork {

void save_picture(const QImage& image, const QString& path);
void save_text(const std::string& text, const QString& path);

}  // namespace artwork
