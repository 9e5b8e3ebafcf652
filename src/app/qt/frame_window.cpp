#include "app/qt/frame_window.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

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
    const QSize frame(width, height);
    if (frame != m_refused_frame) {
        try {
            m_compositor.set_frame(width, height, colour);
            m_refused_frame = QSize();
        } catch (const FrameTooLarge&) {
            m_refused_frame = frame;
            throw;
        }
    }
    // The whole frame after a new size, else the holders that changed.
    std::vector<Rect> recomposed = m_compositor.update(model);
    for (const Rect& r : recomposed)
        update(to_qrect(r));
    return recomposed;
}

void FrameWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect drawn(0, 0, m_compositor.width(), m_compositor.height());
    const QImage frame = frame_image(m_compositor);
    const qreal dpr = devicePixelRatioF();
    // Beyond a frame that could not be made the window shows its colour.
    const QColor beyond = QColor::fromRgb(rgb_of(m_colour));
    for (const QRect& r : event->region()) {
        if (!drawn.contains(r)) painter.fillRect(r, beyond);
        const QRect inside = r & drawn;
        if (!inside.isEmpty()) paint_frame(painter, frame, inside, dpr);
    }
    paint_over(painter, event->rect());
}

void FrameWindow::paint_over(QPainter&, const QRect&) {}

QPoint FrameWindow::client_point(const QPointF& global) const {
    const QPoint g = global.toPoint();
    return {g.x() - m_left, g.y() - m_top};
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
