#pragma once
// The Qt side of a window that shows a composed frame of its screen model (the main window,
// the manual viewer): it paints the compositor's frame, repaints only what the model reports
// changed, tells a size too large to draw once rather than at every repaint, and hands the
// mouse to the window's logic in client pixels measured from the place last set, so that a
// drag stays steady however late the window system moves the window. At a zoom each client
// pixel is zoom x zoom widget pixels; the frame is composed at the zoom times the screen's
// scale factor and painted one frame pixel on one screen pixel.

#include <QPoint>
#include <QSize>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "display/compositor.h"
#include "windows/pointer_input.h"

namespace fluffo {

class FrameWindow : public QWidget {
protected:
    explicit FrameWindow(Qt::WindowFlags flags, QWidget* parent = nullptr);

    // One call into the core through the window's error boundary.
    virtual void enter(const std::function<void()>& handler) = 0;
    // The logic that takes the mouse.
    virtual PointerInput& pointer() = 0;
    // Where a point of the screen lies in the client area; by default measured from the place
    // last set.
    virtual QPoint client_point(const QPointF& global) const;
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
    QSize m_refused_frame;
    double m_refused_scale = 0.0;
    uint32_t m_colour = 0x00ffffffu;
    Cursor m_cursor = Cursor::Default;
};

}  // namespace fluffo
