#pragma once
// The Qt side of a window that shows a composed frame of its screen model (the main window,
// the manual viewer): it paints the compositor's frame, repaints only what the model reports
// changed, tells a size too large to draw once rather than at every repaint, and hands the
// mouse to the window's logic in client pixels from the event's place in the window. A drag
// asks the window system to move the window; where it refuses, the program moves it, and the
// pointer's moves are measured from the place last set until the release, so the drag stays
// steady however late the window system shows each move. A shaped window paints the pixels of
// its key colour fully transparent and takes its shape as the native window's mask (the
// input region, and the visible shape on an X server without a compositor): every pixel of
// the window is painted at each change, none of an earlier size or picture is left. At a zoom
// each client pixel is zoom x zoom widget pixels; the frame is composed at the zoom times the
// screen's scale factor and painted one frame pixel on one screen pixel.

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QSize>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "display/compositor.h"
#include "windows/pointer_input.h"

namespace fluffo {

class FrameWindow : public QWidget {
public:
    // The window's shape (below); empty: the whole window.
    QRegion shape() const { return m_shape; }

protected:
    explicit FrameWindow(Qt::WindowFlags flags, QWidget* parent = nullptr);

    // One call into the core through the window's error boundary.
    virtual void enter(const std::function<void()>& handler) = 0;
    // The logic that takes the mouse.
    virtual PointerInput& pointer() = 0;
    // Painted over the frame in every repainted area (the main window's menu rows).
    virtual void paint_over(QPainter& painter, const QRect& area);

    // Sets the frame to the client size and colour (0x00BBGGRR), recomposes what the model
    // reports changed and asks for its repaint; returns the rectangles recomposed. A size the
    // frame cannot take throws FrameTooLarge the first time only; the frame stays as it was.
    std::vector<Rect> recompose(ScreenModel& model, int32_t width, int32_t height, uint32_t colour);
    void set_place(int32_t left, int32_t top) {
        m_left = left;
        m_top = top;
    }
    void update_cursor(int32_t x, int32_t y);

    // Asks the window system to move the window from the left press in progress; false where
    // it refuses: then the program moves it, and the moves until the release are measured from
    // the place last set.
    bool system_move();
    // Pixels of the key colour (0x00BBGGRR) painted fully transparent; none: the frame as it is.
    void set_transparent_key(std::optional<uint32_t> key);
    // The window's shape: where it hears the mouse and, on an X server without a compositor,
    // what it shows (the native window's mask); with one, the X window's input shape alone.
    // An empty region: the whole window.
    void set_shape(const QRegion& shape);

    // Widget pixels per client pixel; the frame is composed anew at the next recompose.
    void set_zoom_factor(double zoom) { m_zoom = zoom; }
    double zoom_factor() const { return m_zoom; }
    // A client size in widget pixels.
    QSize widget_size(int32_t width, int32_t height) const;
    // A rectangle of client pixels in widget pixels, its edges rounded outward.
    QRect widget_rect(const Rect& client) const;
    // The client pixel under a point of the widget.
    QPoint to_client(QPointF widget_point) const;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

    Compositor m_compositor;
    double m_zoom = 1.0;
    // The place last set, which the window system may show a moment later.
    int32_t m_left = 0;
    int32_t m_top = 0;

private:
    // The client pixel under the mouse event's place.
    QPoint client_point(const QMouseEvent& event) const;
    // The frame's pixels in `device_rect` into m_keyed, the key's pixels transparent.
    void key_out(const QRect& device_rect);

    QSize m_refused_frame;
    double m_refused_scale = 0.0;
    uint32_t m_colour = 0x00ffffffu;
    Cursor m_cursor = Cursor::Default;
    bool m_hand_drag = false;  // the program moves the window until the release
    std::optional<uint32_t> m_transparent_key;
    QRegion m_shape;
    QImage m_keyed;  // the frame with the key's pixels transparent, ARGB32 premultiplied
};

}  // namespace fluffo
