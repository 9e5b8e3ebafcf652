#include "app/qt/widgets/TForm1.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <QWindow>
#include <utility>

#include "app/qt/frame/frame_image.h"
#include "app/qt/keyboard/key_translation.h"
#include "app/qt/widgets/qt_shell.h"
#include "app/qt/widgets/window_placement.h"
#include "base/error_boundary.h"

namespace fluffo {

namespace {

QSize screen_size() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

}  // namespace

TForm1::TForm1(const PortsFor& ports, ShellPort& shell, SchedulerPump::Clock clock)
    : FrameWindow(Qt::Window | Qt::FramelessWindowHint),
      m_shell(shell),
      m_logic(ports(*this)),
      m_popup(this),
      m_system(this_window_system()) {
    setObjectName("TForm1");
    // The key colour's pixels are painted transparent: a compositor shows the desktop there.
    // Asked before the native window exists, which then takes a visual with alpha.
    setAttribute(Qt::WA_TranslucentBackground);
    // The hints show over the handheld whether or not it has the keyboard (a Wayland seat
    // without a keyboard never makes a window active).
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setFixedSize(m_client_width, m_client_height);

    m_pump = clock ? std::make_unique<SchedulerPump>(m_logic.scheduler(), m_logic.handheld(),
                                                     std::move(clock), nullptr, this)
                   : std::make_unique<SchedulerPump>(m_logic.scheduler(), m_logic.handheld(), this);
    m_pump->set_gate([this](const std::function<void()>& fire) {
        ++m_depth;
        const auto error = caught_error(fire);
        --m_depth;
        refresh();
        const auto frame_error = std::exchange(m_untold_frame_error, std::nullopt);
        if (error || frame_error) {
            // The box waits for the player while the timers run on beneath it.
            m_pump->reaim();
            if (frame_error) m_shell.show_error(*frame_error);
            if (error) m_shell.show_error(*error);
        }
    });
    build_popup_menu();
}

TForm1::~TForm1() = default;

void TForm1::enter(const std::function<void()>& handler) {
    ++m_depth;
    // Timers that fell due before this event fire first, as events of their own: an error of
    // theirs is told like the event's own, and the event still runs.
    std::optional<std::string> timer_error;
    if (m_depth == 1) timer_error = caught_error([this] { m_pump->catch_up(); });
    const auto error = caught_error(handler);
    --m_depth;
    refresh();
    m_pump->reaim();
    // Shown last: the box runs a nested event loop in which the game timers keep firing.
    if (timer_error) m_shell.show_error(*timer_error);
    if (m_untold_frame_error) m_shell.show_error(*std::exchange(m_untold_frame_error, {}));
    if (error) m_shell.show_error(*error);
}

// The picture of the window follows the model: the frame is recomposed where holders
// changed, those areas and the changed menu rows are repainted, the shape cut again where the
// key colour's pixels changed.
void TForm1::refresh() {
    // A size the frame cannot take is told once, not at every repaint, and by the entry that
    // asked for it once the timers are aimed: a box opened here would run its nested event
    // loop with the pump unaimed, and each timer in that loop would open another.
    std::vector<Rect> recomposed;
    const auto refused = caught_error([&] {
        recomposed = recompose(m_logic.screen().model(), m_client_width, m_client_height, m_colour);
    });
    if (refused) m_untold_frame_error = refused;
    for (const Rect& r : m_logic.take_menu_dirty())
        update(widget_rect(r));
    update_shape(recomposed);
    if (m_shown && m_shown_fullscreen != m_logic.screen().Vid_Fullscreen) apply_display();
}

void TForm1::update_shape(const std::vector<Rect>& recomposed) {
    if (!m_colour_key_on || m_logic.screen().Vid_Fullscreen) {
        if (std::exchange(m_shape_stale, false)) set_shape(QRegion());
        set_transparent_key(std::nullopt);
        m_key_pixels.reset();
        return;
    }
    set_transparent_key(m_colour_key);
    if (std::exchange(m_shape_stale, false)) m_key_pixels.reset();
    // A new frame size reads the whole frame and counts as a change.
    if (!m_key_pixels.changed(m_compositor, m_colour_key, recomposed)) return;
    set_shape(shape_mask(frame_image(m_compositor), m_colour_key, devicePixelRatioF()));
}

void TForm1::build_popup_menu() {
    m_popup.setObjectName("pm_0_menu");
    for (int i = 0; i < Popup_Entry_Count; ++i) {
        const PopupEntry& e = Popup_Entries[static_cast<size_t>(i)];
        if (is_separator(e)) {
            m_popup.addSeparator()->setObjectName(
                QString::fromUtf8(e.name.data(), int(e.name.size())));
            m_actions.push_back(nullptr);
            continue;
        }
        QAction* a = m_popup.addAction(QString::fromUtf8(e.caption.data(), int(e.caption.size())));
        a->setObjectName(QString::fromUtf8(e.name.data(), int(e.name.size())));
        if (e.shortcut != vk::None) {
            // The text only: the main window's key handler runs shortcuts with the menu closed.
            a->setShortcut(QKeySequence(qt_key_of(e.shortcut)));
            a->setShortcutContext(Qt::WidgetShortcut);
        }
        const MenuCommand command = e.command;
        a->setCheckable(m_logic.checkable(i));
        connect(a, &QAction::triggered, this,
                [this, command] { enter([this, command] { m_logic.run_command(command); }); });
        m_actions.push_back(a);
        if (command == MenuCommand::Fullscreen)
            build_size_menu(*m_popup.addMenu(QStringLiteral("Size")));
    }
    m_popup.setDefaultAction(m_actions[Popup_Default_Entry]);
    renew_when_closed(m_popup);
}

// A menu closed by a click elsewhere on the desktop, its native window mapped again, is never
// shown by sway's Xwayland: each time the menu opens it takes a new native window.
void TForm1::renew_when_closed(QMenu& menu) {
    connect(&menu, &QMenu::aboutToHide, this, [this, &menu] {
        QTimer::singleShot(0, this, [&menu] {
            if (!menu.isVisible() && menu.windowHandle()) menu.windowHandle()->destroy();
        });
    });
}

// The handheld's sizes, the one in use checked.
void TForm1::build_size_menu(QMenu& size_menu) {
    size_menu.setObjectName("pm_size");
    renew_when_closed(size_menu);
    auto* group = new QActionGroup(&size_menu);
    for (const int32_t percent : Zoom_Steps) {
        QAction* a = size_menu.addAction(QStringLiteral("%1 %").arg(percent));
        a->setObjectName(QStringLiteral("pm_size_%1").arg(percent));
        a->setCheckable(true);
        group->addAction(a);
        connect(a, &QAction::triggered, this,
                [this, percent] { enter([this, percent] { m_logic.set_zoom(percent); }); });
        m_size_actions.push_back(a);
    }
}

void TForm1::contextMenuEvent(QContextMenuEvent* event) {
    enter([this] {
        // The menu takes the pointer: a left press in progress would never see its release.
        m_logic.mouse_capture_lost();
        m_logic.pm_0_menuPopup();
    });
    for (int i = 0; i < Popup_Entry_Count; ++i) {
        if (QAction* a = m_actions[static_cast<size_t>(i)]; a && a->isCheckable())
            a->setChecked(m_logic.checked(i));
    }
    for (size_t i = 0; i < Zoom_Steps.size(); ++i)
        m_size_actions[i]->setChecked(Zoom_Steps[i] == m_logic.zoom());
    m_popup.popup(event->globalPos());
}

// Keys.

// The size keys come first, before the bindings and the menu's shortcuts, and never reach
// them: Ctrl+0 is not the handheld's 0.
bool TForm1::size_key(QKeyEvent& event) {
    const auto change = zoom_change_of(event);
    if (!change) return false;
    if (event.type() == QEvent::KeyPress && !event.isAutoRepeat())
        enter([&] { m_logic.change_zoom(*change); });
    return true;
}

// A held key arrives as one press, presses marked auto-repeat and one release (HeldKeyFilter).
void TForm1::keyPressEvent(QKeyEvent* event) {
    if (size_key(*event)) return;
    const VirtualKey key = virtual_key_of(*event);
    const KeyModifiers held = modifiers_of(*event);
    const bool repeated = event->isAutoRepeat();
    enter([&] {
        m_logic.FormKeyDown(key);
        if (!repeated) m_logic.menu_shortcut(key, held);
    });
}

void TForm1::keyReleaseEvent(QKeyEvent* event) {
    if (size_key(*event)) return;
    const VirtualKey key = virtual_key_of(*event);
    enter([&] { m_logic.FormKeyUp(key); });
}

// Ctrl with the wheel: a step larger away from the player, smaller towards.
void TForm1::wheelEvent(QWheelEvent* event) {
    if (!event->modifiers().testFlag(Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    const int delta = event->angleDelta().y();
    if (delta != 0) {
        const ZoomChange change = delta > 0 ? ZoomChange::Larger : ZoomChange::Smaller;
        enter([&] { m_logic.change_zoom(change); });
    }
    event->accept();
}

void TForm1::leaveEvent(QEvent* event) {
    enter([this] { m_logic.mouse_leave(); });
    QWidget::leaveEvent(event);
}

bool TForm1::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QPoint p = to_client(help->pos());
        const std::string hint = m_logic.hint_at(p.x(), p.y());
        if (hint.empty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), QString::fromStdString(hint), this);
        }
        return true;
    }
    if (event->type() == QEvent::ScreenChangeInternal && m_shown) {
        // Another screen, or another scale factor: the size fitted again, the pictures loaded
        // for the new resolution.
        enter([this] { m_logic.screen_changed(); });
    }
    return QWidget::event(event);
}

// The window.

void TForm1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        enter([this] { m_logic.FormActivate(); });
    QWidget::changeEvent(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    enter([this] { m_logic.FormClose(); });
    event->accept();
    QCoreApplication::quit();
}

// The in-game menu's rows, drawn above every holder.
void TForm1::paint_over(QPainter& painter, const QRect& area) {
    const auto& rows = m_logic.game_menu().rows();
    if (rows.empty()) return;
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);  // a 16-pixel cell, as a 12-point face at 96 dots per inch
    painter.setFont(font);
    for (const MenuRow& row : rows) {
        const QRect r = to_qrect(row.bounds);
        if (!r.intersects(area) || row.separator) continue;
        if (row.opaque) painter.fillRect(r, Qt::black);
        painter.setPen(row.enabled ? QColor(Qt::white) : QColor(Qt::gray));
        painter.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(row.text));
    }
}

void TForm1::set_client_width(int32_t width) {
    m_client_width = width;
    setFixedSize(window_size());
}

void TForm1::set_client_height(int32_t height) {
    m_client_height = height;
    setFixedSize(window_size());
}

// In fullscreen the client area is the screen in whole zoomed pixels, which may reach a pixel
// or two past the screen's edge: the window itself stops at the edge.
QSize TForm1::window_size() const {
    const QSize zoomed = widget_size(m_client_width, m_client_height);
    if (!m_logic.screen().Vid_Fullscreen) return zoomed;
    return zoomed.boundedTo(QSize(std::max(screen_width(), 1), std::max(screen_height(), 1)));
}

void TForm1::set_zoom(double zoom) {
    if (zoom == zoom_factor()) return;
    set_zoom_factor(zoom);
    setFixedSize(window_size());
    m_shape_stale = true;
    if (m_zoom_follower) m_zoom_follower(zoom);
}

Rect TForm1::available_area() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return Rect{0, 0, screen_width(), screen_height()};
    const QRect a = screen->availableGeometry();
    return Rect{a.x(), a.y(), a.width(), a.height()};
}

void TForm1::set_colour_key(uint32_t colour) {
    m_colour_key = colour;
    m_shape_stale = true;
}

void TForm1::set_colour_key_enabled(bool on) {
    m_colour_key_on = on;
    m_shape_stale = true;
}

int32_t TForm1::screen_width() const {
    return screen_size().width();
}

int32_t TForm1::screen_height() const {
    return screen_size().height();
}

void TForm1::move_to(int32_t left, int32_t top) {
    set_place(left, top);
    m_follow_system = false;
    if (m_system.places_windows && m_shown && !m_logic.screen().Vid_Fullscreen) move(left, top);
}

bool TForm1::start_system_move() {
    if (!system_move()) return false;
    m_follow_system = true;
    return true;
}

// Where the compositor places the windows the window stays in view while it is laid out anew:
// hidden and shown again in one turn, Qt 6.4's Wayland window is not mapped again.
void TForm1::move_out_of_sight() {
    if (m_system.places_windows) MainWindowView::move_out_of_sight();
}

void TForm1::moveEvent(QMoveEvent* event) {
    // A place the window system chose after a drag it made; on Wayland no place is told.
    if (m_follow_system && m_system.places_windows && !m_logic.screen().Vid_Fullscreen)
        set_place(x(), y());
    QWidget::moveEvent(event);
}

void TForm1::set_shown(bool shown) {
    m_shown = shown;
    if (shown) {
        apply_display();
    } else {
        hide();
    }
}

// The caption of this window and the title of the error boxes; the other windows keep their
// own captions as they are.
void TForm1::set_title(const std::string& title) {
    const QString caption = QString::fromStdString(title);
    setWindowTitle(caption);
    QtShell::set_box_title(caption);
}

// Fullscreen covers the screen above its panels; windowed mode is the borderless shape at its
// place. Runs when the window comes into view and after each switch of display.
void TForm1::apply_display() {
    if (!m_shown) return;
    m_shown_fullscreen = m_logic.screen().Vid_Fullscreen;
    m_shape_stale = true;
    refresh();
    const bool place = m_system.places_windows;
    if (m_logic.screen().Vid_Fullscreen) {
        if (place) move(0, 0);
        if (!isFullScreen()) showFullScreen();
    } else {
        // The skin's new size has already taken the widget out of fullscreen, but not the
        // window on the screen; and leaving it, the window system gives back the place and size
        // from before, not the skin's. So the window itself is set to both (to the size alone
        // where the compositor places it).
        QWindow* native = windowHandle();
        const QSize size = widget_size(m_client_width, m_client_height);
        if (native && native->windowStates().testFlag(Qt::WindowFullScreen)) {
            native->setWindowStates(Qt::WindowNoState);
            if (place) {
                native->setGeometry(QRect(QPoint(m_left, m_top), size));
            } else {
                native->resize(size);
            }
        }
        if (place) move(m_left, m_top);
        show();
    }
    raise();
    activateWindow();
}

}  // namespace fluffo
