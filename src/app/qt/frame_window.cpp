#include "app/qt/frame_window.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "app/qt/cursor_shape.h"
#include "app/qt/frame_image.h"
#include "app/qt/mouse_translation.h"

namespace fluffo {

FrameWindow::FrameWindow(Qt::WindowFlags flags, QWidget* parent) : QWidget(parent, flags) {
    // The frame is drawn whole over every changed area: no background fill, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);  // the pointer's shape follows what lies under it
    setFocusPolicy(Qt::StrongFocus);
}

std::vector<Rect> FrameWindow::recompose(ScreenModel& model, int32_t width, int32_t height,
                                         uint32_t colour) {
    m_colour = colour;
    const double scale = m_zoom * devicePixelRatioF();
    const QSize frame(width, height);
    if (frame != m_refused_frame || scale != m_refused_scale) {
        try {
            m_compositor.set_frame(width, height, colour, scale);
            m_refused_frame = QSize();
        } catch (const FrameTooLarge&) {
            m_refused_frame = frame;
            m_refused_scale = scale;
            throw;
        }
    }
    // The whole frame after a new size, else the holders that changed.
    std::vector<Rect> recomposed = m_compositor.update(model);
    const qreal dpr = devicePixelRatioF();
    for (const Rect& r : recomposed)
        update(logical_rect(to_qrect(r), dpr));
    return recomposed;
}

QSize FrameWindow::widget_size(int32_t width, int32_t height) const {
    return {static_cast<int>(std::lround(width * m_zoom)),
            static_cast<int>(std::lround(height * m_zoom))};
}

QRect FrameWindow::widget_rect(const Rect& r) const {
    const int left = static_cast<int>(std::floor(r.left * m_zoom));
    const int top = static_cast<int>(std::floor(r.top * m_zoom));
    return QRect(QPoint(left, top),
                 QPoint(static_cast<int>(std::ceil((int64_t{r.left} + r.width) * m_zoom)) - 1,
                        static_cast<int>(std::ceil((int64_t{r.top} + r.height) * m_zoom)) - 1));
}

QPoint FrameWindow::to_client(QPointF p) const {
    return {static_cast<int>(std::floor(p.x() / m_zoom)),
            static_cast<int>(std::floor(p.y() / m_zoom))};
}

void FrameWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const qreal dpr = devicePixelRatioF();
    const QRect drawn = logical_rect(QRect(0, 0, m_compositor.width(), m_compositor.height()), dpr);
    const QImage frame = frame_image(m_compositor);
    // Beyond a frame that could not be made the window shows its colour.
    const QColor beyond = QColor::fromRgb(rgb_of(m_colour));
    for (const QRect& r : event->region()) {
        if (!drawn.contains(r)) painter.fillRect(r, beyond);
        const QRect inside = r & drawn;
        if (!inside.isEmpty()) paint_frame(painter, frame, inside, dpr);
    }
    painter.save();
    painter.scale(m_zoom, m_zoom);
    // The area in client pixels, for what is drawn over the frame in them.
    const QRectF over = QRectF(event->rect()).adjusted(-1, -1, 1, 1);
    paint_over(painter,
               QRectF(over.topLeft() / m_zoom, over.bottomRight() / m_zoom).toAlignedRect());
    painter.restore();
}

void FrameWindow::paint_over(QPainter&, const QRect&) {}

QPoint FrameWindow::client_point(const QPointF& global) const {
    return to_client(QPointF(global.x() - m_left, global.y() - m_top));
}

void FrameWindow::mousePressEvent(QMouseEvent* event) {
    const QPoint p = client_point(event->globalPosition());
    enter([&] { pointer().mouse_down(p.x(), p.y(), mouse_button_of(event->button())); });
}

void FrameWindow::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = client_point(event->globalPosition());
    enter([&] { pointer().mouse_up(p.x(), p.y(), mouse_button_of(event->button())); });
    update_cursor(p.x(), p.y());
}

void FrameWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = client_point(event->globalPosition());
    const bool left = event->buttons().testFlag(Qt::LeftButton);
    enter([&] { pointer().mouse_move(p.x(), p.y(), left); });
    if (!left) update_cursor(p.x(), p.y());
}

void FrameWindow::update_cursor(int32_t x, int32_t y) {
    const Cursor c = pointer().cursor_at(x, y);
    if (c == m_cursor) return;
    m_cursor = c;
    setCursor(cursor_shape(c));
}

}  // namespace fluffo
