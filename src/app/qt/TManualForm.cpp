#include "app/qt/TManualForm.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QShowEvent>

#include "app/qt/cursor_shape.h"
#include "app/qt/frame_image.h"
#include "app/qt/key_translation.h"
#include "app/qt/mouse_translation.h"
#include "app/qt/window_placement.h"
#include "base/error_boundary.h"

namespace fluffo {

TManualForm::TManualForm(ShellPort& shell, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_shell(shell),
      m_logic(m_screen, *this) {
    setObjectName("TManualForm");
    setWindowTitle(QStringLiteral("Manual"));
    // The frame is drawn whole over every changed area: no background fill, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);  // the pointer's shape follows the buttons
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(m_screen.client_width(), m_screen.client_height());
}

void TManualForm::FormCreate(const SkinSources& sources) {
    DeferredErrors errors;
    errors.attempt([&] { m_logic.FormCreate(sources); });
    setFixedSize(m_screen.client_width(), m_screen.client_height());
    errors.attempt([&] { refresh(); });
    errors.rethrow_first();
}

void TManualForm::bring_up() {
    if (!m_placed) {
        m_placed = true;
        centre_on_screen(*this);
        m_left = x();
        m_top = y();
    }
    show_in_front(*this);
}

void TManualForm::move_to(int32_t left, int32_t top) {
    m_left = left;
    m_top = top;
    move(left, top);
}

void TManualForm::enter(const std::function<void()>& handler) {
    const auto error = caught_error(handler);
    const auto frame_error = caught_error([this] { refresh(); });
    if (frame_error) m_shell.show_error(*frame_error);
    if (error) m_shell.show_error(*error);
}

void TManualForm::refresh() {
    const QSize frame(m_screen.client_width(), m_screen.client_height());
    if (frame != m_refused_frame) {
        try {
            m_compositor.set_frame(frame.width(), frame.height(), ManualScreen::Window_Colour);
        } catch (const FrameTooLarge&) {
            m_refused_frame = frame;
            throw;
        }
    }
    // The whole frame after a new size, else the holders that changed.
    for (const Rect& r : m_compositor.update(m_screen.model()))
        update(to_qrect(r));
}

void TManualForm::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect drawn(0, 0, m_compositor.width(), m_compositor.height());
    const QImage frame = frame_image(m_compositor);
    const qreal dpr = devicePixelRatioF();
    for (const QRect& r : event->region()) {
        // Beyond a frame that could not be made the window shows its colour.
        if (!drawn.contains(r)) painter.fillRect(r, Qt::white);
        const QRect inside = r & drawn;
        if (!inside.isEmpty()) paint_frame(painter, frame, inside, dpr);
    }
}

void TManualForm::showEvent(QShowEvent* event) {
    // Shown by the program, not given back by the window system after a minimise.
    if (!event->spontaneous()) enter([this] { m_logic.FormShow(); });
    QWidget::showEvent(event);
}

void TManualForm::hideEvent(QHideEvent* event) {
    // The window system sends no release to a hidden window.
    enter([this] { m_logic.mouse_capture_lost(); });
    QWidget::hideEvent(event);
}

// Keys: a held key gives repeated key-downs and one key-up.

void TManualForm::keyPressEvent(QKeyEvent* event) {
    if (!passes_auto_repeat_filter(*event)) return;
    const VirtualKey key = virtual_key_of(*event);
    enter([&] { m_logic.FormKeyDown(key); });
}

void TManualForm::keyReleaseEvent(QKeyEvent* event) {
    if (!passes_auto_repeat_filter(*event)) return;
    const VirtualKey key = virtual_key_of(*event);
    enter([&] { m_logic.FormKeyUp(key); });
}

// The mouse. Positions are taken from the pointer's place on the screen and the window's
// place as last set, so a drag stays steady however late the window system moves it. Qt
// hands the release to the window that had the press, wherever the pointer is then.

QPoint TManualForm::client_point(const QPointF& global) const {
    const QPoint g = global.toPoint();
    return {g.x() - m_left, g.y() - m_top};
}

void TManualForm::mousePressEvent(QMouseEvent* event) {
    const QPoint p = client_point(event->globalPosition());
    enter([&] { m_logic.mouse_down(p.x(), p.y(), mouse_button_of(event->button())); });
}

void TManualForm::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = client_point(event->globalPosition());
    enter([&] { m_logic.mouse_up(p.x(), p.y(), mouse_button_of(event->button())); });
    update_cursor(p.x(), p.y());
}

void TManualForm::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = client_point(event->globalPosition());
    const bool left = event->buttons().testFlag(Qt::LeftButton);
    enter([&] { m_logic.mouse_move(p.x(), p.y(), left); });
    if (!left) update_cursor(p.x(), p.y());
}

void TManualForm::update_cursor(int32_t x, int32_t y) {
    const Cursor c = m_logic.cursor_at(x, y);
    if (c == m_cursor) return;
    m_cursor = c;
    setCursor(cursor_shape(c));
}

}  // namespace fluffo
