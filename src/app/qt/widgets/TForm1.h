#pragma once
// TForm1, the main window on the desktop: a borderless window that shows the composed frame
// of the handheld (a FrameWindow), cut to the skin's shape by the colour key in windowed mode and
// covering the screen in fullscreen mode. Where the window system places the windows itself
// (Wayland) it resizes without moving and never moves out of sight; elsewhere it sets
// its place, and takes the place the window system gives it after a drag. It turns Qt's events into
// the core's key, mouse and menu calls, each through one error boundary, and pumps the nine game
// timers with one precise single-shot timer.

#include <QMenu>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/qt/frame/frame_window.h"
#include "app/qt/pumps/scheduler_pump.h"
#include "base/shell_port.h"
#include "display/key_colour_pixels.h"
#include "display/skin_images.h"
#include "windows/main_window_logic.h"
#include "windows/window_system.h"

namespace fluffo {

class TForm1 : public FrameWindow, public MainWindowView {
    Q_OBJECT
public:
    // The core's ports but the window, which is this one.
    using PortsFor = std::function<MainWindowPorts(MainWindowView& self)>;
    // The game timers run on the real time unless a clock is given (for tests).
    TForm1(const PortsFor& ports, ShellPort& shell, SchedulerPump::Clock clock = {});
    ~TForm1() override;

    MainWindowLogic& logic() { return m_logic; }

    // Runs one entry into the core: the timers caught up to now first, errors shown in the
    // error box, then the changed parts repainted and the timer pump aimed again.
    void enter(const std::function<void()>& handler) override;

    // MainWindowView
    void set_client_width(int32_t width) override;
    void set_client_height(int32_t height) override;
    int32_t client_width() const override { return m_client_width; }
    int32_t client_height() const override { return m_client_height; }
    void set_colour(uint32_t colour) override { m_colour = colour; }
    void set_colour_key(uint32_t colour) override;
    void set_colour_key_enabled(bool on) override;
    int32_t screen_width() const override;
    int32_t screen_height() const override;
    void show_error(const std::string& text) override { m_shell.show_error(text); }
    void terminate() override { m_shell.terminate_failed(); }
    int32_t left() const override { return m_left; }
    int32_t top() const override { return m_top; }
    void move_to(int32_t left, int32_t top) override;
    bool start_system_move() override;
    void move_out_of_sight() override;
    void set_shown(bool shown) override;
    void set_enabled(bool enabled) override { setEnabled(enabled); }
    void set_title(const std::string& title) override;
    void set_zoom(double zoom) override;
    double device_pixel_ratio() const override { return devicePixelRatioF(); }
    Rect available_area() const override;

    // Told the window's zoom (window pixels per client pixel) whenever it changes: the
    // manual viewer and the about window follow it.
    void set_zoom_follower(std::function<void(double)> follower) {
        m_zoom_follower = std::move(follower);
    }

protected:
    PointerInput& pointer() override { return m_logic; }
    void paint_over(QPainter& painter, const QRect& area) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool event(QEvent* event) override;

private:
    void build_popup_menu();
    void build_size_menu(QMenu& size_menu);
    void renew_when_closed(QMenu& menu);
    // Ctrl with plus, minus or 0: the window's size, before and instead of any binding.
    bool size_key(QKeyEvent& event);
    void refresh();
    void apply_display();
    QSize window_size() const;
    // Cuts the windowed shape anew when the key colour's pixels changed in what was recomposed
    // (or the key itself changed); clears it in fullscreen or without a key.
    void update_shape(const std::vector<Rect>& recomposed);

    ShellPort& m_shell;
    MainWindowLogic m_logic;
    std::unique_ptr<SchedulerPump> m_pump;
    QMenu m_popup;
    std::vector<QAction*> m_actions;       // by entry of Popup_Entries; null for separators
    std::vector<QAction*> m_size_actions;  // by step of Zoom_Steps
    std::function<void(double)> m_zoom_follower;

    int32_t m_client_width = Design_Client.width;
    int32_t m_client_height = Design_Client.height;
    uint32_t m_colour = 0x00ffffffu;
    uint32_t m_colour_key = 0x00ffffffu;
    bool m_colour_key_on = true;
    bool m_shown = false;
    bool m_shown_fullscreen = false;  // the display the window was last laid out for
    bool m_shape_stale = true;        // the key or the display changed: cut the shape whole
    bool m_follow_system = false;     // the window system moved the window: take its place
    const WindowSystem m_system;
    KeyColourPixels m_key_pixels;
    std::optional<std::string> m_untold_frame_error;  // a size the frame could not take
    int m_depth = 0;  // entries into the core in progress (an error box nests them)
};

}  // namespace fluffo
