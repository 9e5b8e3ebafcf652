#include "app/qt/frame/frame_window.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>
#include <cmath>
#include <utility>

#include "app/qt/frame/cursor_shape.h"
#include "app/qt/frame/frame_image.h"
#include "app/qt/frame/mouse_translation.h"
#include "app/x11/x11_shape.h"

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
    if (m_transparent_key) {
        const QSize size(m_compositor.width(), m_compositor.height());
        const bool whole = m_keyed.size() != size;
        if (whole) m_keyed = QImage(size, QImage::Format_ARGB32_Premultiplied);
        for (const Rect& r :
             whole ? std::vector<Rect>{{0, 0, size.width(), size.height()}} : recomposed)
            key_out(to_qrect(r));
    }
    for (const Rect& r : recomposed)
        update(logical_rect(to_qrect(r), dpr));
    return recomposed;
}

void FrameWindow::set_transparent_key(std::optional<uint32_t> key) {
    if (key == m_transparent_key) return;
    m_transparent_key = key;
    m_keyed = QImage();
    if (key) {
        m_keyed = QImage(m_compositor.width(), m_compositor.height(),
                         QImage::Format_ARGB32_Premultiplied);
        key_out(m_keyed.rect());
    }
    update();
}

void FrameWindow::key_out(const QRect& device_rect) {
    fluffo::key_out(frame_image(m_compositor), *m_transparent_key, device_rect, m_keyed);
}

void FrameWindow::set_shape(const QRegion& shape) {
    m_shape = shape;
    winId();  // the native window, which takes the mask
    QWindow& native = *windowHandle();
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        native.setMask(shape);
        return;
    }
    // On X11 under a compositor the drawn shape stays whole, so that the transparent pixels
    // are painted; the shape is where the window hears the mouse. Without one, as before.
    const bool drawn_whole = x11_compositor_shows_alpha();
    native.setMask(drawn_whole ? QRegion() : shape);
    x11_set_input_shape(native, drawn_whole ? shape : QRegion());
}

bool FrameWindow::system_move() {
    if (QWindow* native = windowHandle(); native && native->startSystemMove()) return true;
    m_hand_drag = true;
    return false;
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
    // A shaped window's pixels replace what was there: the key's become transparent.
    const bool keyed = m_transparent_key.has_value();
    const QImage frame = keyed ? m_keyed : frame_image(m_compositor);
    if (keyed) painter.setCompositionMode(QPainter::CompositionMode_Source);
    // Beyond a frame that could not be made the window shows its colour.
    const QColor beyond = QColor::fromRgb(rgb_of(m_colour));
    for (const QRect& r : event->region()) {
        if (!drawn.contains(r)) painter.fillRect(r, beyond);
        const QRect inside = r & drawn;
        if (!inside.isEmpty()) paint_frame(painter, frame, inside, dpr);
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.save();
    painter.scale(m_zoom, m_zoom);
    // The area in client pixels, for what is drawn over the frame in them.
    const QRectF over = QRectF(event->rect()).adjusted(-1, -1, 1, 1);
    paint_over(painter,
               QRectF(over.topLeft() / m_zoom, over.bottomRight() / m_zoom).toAlignedRect());
    painter.restore();
}

void FrameWindow::paint_over(QPainter&, const QRect&) {}

QPoint FrameWindow::client_point(const QMouseEvent& event) const {
    if (m_hand_drag) return to_client(event.globalPosition() - QPointF(m_left, m_top));
    return to_client(event.position());
}

void FrameWindow::mousePressEvent(QMouseEvent* event) {
    const QPoint p = client_point(*event);
    enter([&] { pointer().mouse_down(p.x(), p.y(), mouse_button_of(event->button())); });
}

void FrameWindow::mouseReleaseEvent(QMouseEvent* event) {
    QPoint p = client_point(*event);
    enter([&] { pointer().mouse_up(p.x(), p.y(), mouse_button_of(event->button())); });
    if (event->button() == Qt::LeftButton && std::exchange(m_hand_drag, false))
        p = client_point(*event);
    update_cursor(p.x(), p.y());
}

void FrameWindow::mouseMoveEvent(QMouseEvent* event) {
    const bool left = event->buttons().testFlag(Qt::LeftButton);
    if (!left) m_hand_drag = false;  // its release went elsewhere
    const QPoint p = client_point(*event);
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
