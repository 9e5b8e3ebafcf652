#pragma once
// The resolution the artwork is drawn at: 1 for the pictures' own size, 2 and 3 for their
// name@2x and name@3x variants. Every picture is a canvas of its size in window pixels times
// the scale, with that device pixel ratio, so painting in window pixels fills it at the
// higher resolution; work pixel by pixel reads the scale.

#include <QImage>
#include <QRect>
#include <QSize>

namespace artwork {

int art_scale();

// Draws at `scale` while it lives.
class DrawnAt {
public:
    explicit DrawnAt(int scale);
    ~DrawnAt();
    DrawnAt(const DrawnAt&) = delete;
    DrawnAt& operator=(const DrawnAt&) = delete;

private:
    int m_previous;
};

// A picture of `size` window pixels at the scale, uninitialised.
QImage art_canvas(QSize size, QImage::Format format);
// The picture's size in window pixels.
QSize window_size(const QImage& image);
// Window pixels to the picture's pixels at the scale.
QRect device_rect(const QRect& window_rect);
// The image marked as drawn at the scale.
QImage at_scale(QImage image);

}  // namespace artwork
