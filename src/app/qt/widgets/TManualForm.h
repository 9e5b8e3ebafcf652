#pragma once
// TManualForm, the manual viewer on the desktop: a borderless window that stays on top and
// shows the composed frame of the manual screen (a FrameWindow). It turns Qt's key and mouse
// events into the viewer's calls, each through the error boundary; Esc closes this window
// only. Centred on the screen the first time it comes up, later where it
// was left; dragged by the window system where it can, else by the program (and on Wayland
// placed by the compositor alone).

#include <functional>

#include "app/qt/frame/frame_window.h"
#include "app/qt/pumps/pad_pump.h"
#include "base/shell_port.h"
#include "display/manual_screen.h"
#include "display/skin_sources.h"
#include "windows/manual_viewer_logic.h"

namespace fluffo {

class TManualForm : public FrameWindow, public ManualViewerView, public PadKeyWindow {
    Q_OBJECT
public:
    explicit TManualForm(ShellPort& shell, QWidget* parent = nullptr);

    // The window's creation: the pages and its size, the button pictures, the first frame.
    // Every step runs; the first undecodable picture (or a size too large to draw) is thrown
    // at the end, for the creator's error box.
    void FormCreate(const SkinSources& sources);
    // Centred the first time, then shown where it was left, and brought to the front.
    void bring_up();
    // The main window's zoom: the viewer takes the same size, its pictures loaded for the
    // resolution that gives. Errors as FormCreate's.
    void follow_zoom(double zoom, const SkinSources& sources);
    // The zoom FormCreate lays the viewer out at, before it has run.
    void set_zoom(double zoom);

    ManualScreen& screen() { return m_screen; }
    ManualViewerLogic& logic() { return m_logic; }

    // ManualViewerView: the place last set, which the window system may show a moment later.
    int32_t left() const override { return m_left; }
    int32_t top() const override { return m_top; }
    void move_to(int32_t left, int32_t top) override;
    bool start_system_move() override;
    void hide_window() override { hide(); }

    // A pad: left and right turn the pages, East closes, as the keys do.
    void pad_key(VirtualKey key, bool down) override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // Runs one call into the viewer, shows its error if it had one, and repaints what changed.
    void enter(const std::function<void()>& handler) override;
    PointerInput& pointer() override { return m_logic; }

private:
    // Recomposes the changed parts of the frame and asks for their repaint. A client size the
    // frame cannot take is thrown once, not at every call.
    void refresh();

    ShellPort& m_shell;
    ManualScreen m_screen;
    ManualViewerLogic m_logic;
    bool m_placed = false;
    bool m_follow_system = false;  // the window system moved the window: take its place
};

}  // namespace fluffo
