#include "app/qt/widgets/TManualForm.h"

#include <QKeyEvent>
#include <QMoveEvent>
#include <QShowEvent>
#include <cmath>

#include "app/qt/keyboard/key_translation.h"
#include "app/qt/widgets/window_placement.h"
#include "base/error_boundary.h"

namespace fluffo {

TManualForm::TManualForm(ShellPort& shell, QWidget* parent)
    : FrameWindow(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint, parent),
      m_shell(shell),
      m_logic(m_screen, *this) {
    setObjectName("TManualForm");
    setWindowTitle(QStringLiteral("Manual"));
    setFixedSize(m_screen.client_width(), m_screen.client_height());
}

void TManualForm::FormCreate(const SkinSources& sources) {
    DeferredErrors errors;
    SkinSources scaled = sources;
    scaled.scale = zoom_factor() * devicePixelRatioF();
    errors.attempt([&] { m_logic.FormCreate(scaled); });
    setFixedSize(widget_size(m_screen.client_width(), m_screen.client_height()));
    errors.attempt([&] { refresh(); });
    errors.rethrow_first();
}

void TManualForm::set_zoom(double zoom) {
    set_zoom_factor(zoom);
    m_logic.zoom = static_cast<int32_t>(std::lround(zoom * 100));
}

void TManualForm::follow_zoom(double zoom, const SkinSources& sources) {
    if (zoom == zoom_factor()) return;
    set_zoom(zoom);
    FormCreate(sources);
}

void TManualForm::bring_up() {
    if (!m_placed) {
        m_placed = true;
        centre_on_screen(*this);
        set_place(x(), y());
    }
    show_in_front(*this);
}

void TManualForm::move_to(int32_t left, int32_t top) {
    set_place(left, top);
    m_follow_system = false;
    if (this_window_system().places_windows) move(left, top);
}

bool TManualForm::start_system_move() {
    m_follow_system = system_move();
    return m_follow_system;
}

void TManualForm::moveEvent(QMoveEvent* event) {
    // The place the window system chose after a drag it made.
    if (m_follow_system) set_place(x(), y());
    QWidget::moveEvent(event);
}

void TManualForm::enter(const std::function<void()>& handler) {
    const auto error = caught_error(handler);
    const auto frame_error = caught_error([this] { refresh(); });
    if (frame_error) m_shell.show_error(*frame_error);
    if (error) m_shell.show_error(*error);
}

void TManualForm::refresh() {
    recompose(m_screen.model(), m_screen.client_width(), m_screen.client_height(),
              ManualScreen::Window_Colour);
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

// Keys: a held key gives repeated key-downs and one key-up (HeldKeyFilter).

void TManualForm::keyPressEvent(QKeyEvent* event) {
    const VirtualKey key = virtual_key_of(*event);
    enter([&] { m_logic.FormKeyDown(key); });
}

void TManualForm::pad_key(VirtualKey key, bool down) {
    enter([&] { down ? m_logic.FormKeyDown(key) : m_logic.FormKeyUp(key); });
}

void TManualForm::keyReleaseEvent(QKeyEvent* event) {
    const VirtualKey key = virtual_key_of(*event);
    enter([&] { m_logic.FormKeyUp(key); });
}

}  // namespace fluffo
