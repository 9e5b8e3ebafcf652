#pragma once
// The manual viewer's logic, free of any toolkit: the page on show and its turning by the
// arrow buttons and the Left and Right keys, closing by the close button or Esc, and dragging
// the window by its page. A pressed button shows its sunken picture (its released picture is
// hidden); the release goes to the button that took the press, wherever the pointer is then.
// The page on show is kept while the window is hidden and never leaves 1..8.

#include <cstdint>

#include "base/virtual_keys.h"
#include "display/manual_screen.h"
#include "display/skin_sources.h"
#include "input/mouse_button.h"
#include "windows/pointer_input.h"
#include "windows/window_zoom.h"

namespace fluffo {

// What the viewer asks of its window.
class ManualViewerView {
public:
    virtual ~ManualViewerView() = default;
    // Top-left corner of the client area, in screen pixels (the window has no frame).
    virtual int32_t left() const = 0;
    virtual int32_t top() const = 0;
    virtual void move_to(int32_t left, int32_t top) = 0;
    // As the main window's: the window system moves the window from the press on; false where
    // it refuses, and the page's drag moves it.
    virtual bool start_system_move() { return false; }
    virtual void hide_window() = 0;
};

class ManualViewerLogic : public PointerInput {
public:
    static constexpr int32_t Page_Count = 8;

    ManualViewerLogic(ManualScreen& screen, ManualViewerView& window);
    ManualViewerLogic(const ManualViewerLogic&) = delete;
    ManualViewerLogic& operator=(const ManualViewerLogic&) = delete;

    int32_t Vid_Current_Page = 1;
    // The pointer's place on the page at the last left press there.
    int32_t Inp_Page_Drag_X = 0;
    int32_t Inp_Page_Drag_Y = 0;
    // The window's size in percent, as the main window's: each client pixel is shown as
    // that many window pixels.
    int32_t zoom = Zoom_Default;

    // The window's creation: its size and the eight pages, then the six button pictures. A
    // missing button file leaves that button empty; every step runs, and the first picture
    // that cannot be decoded is raised at the end, for the error box.
    void FormCreate(const SkinSources& sources);
    // Each time the window comes into view.
    void FormShow();

    // The page Vid_Current_Page into the page on show, and the arrows that lead somewhere.
    void Vid_Show_Page();
    void Inp_left_down();
    void Inp_left_up();
    void Inp_right_down();
    void Inp_right_up();
    void Inp_esc_down();
    void Inp_esc_up();

    // Esc, Left and Right as virtual-key codes; every other key is ignored. The arrows act only
    // while there is a page that way, tested at the key-down and the key-up each.
    void FormKeyDown(VirtualKey virtual_key);
    void FormKeyUp(VirtualKey virtual_key);

    // The mouse, in client pixels. A left press is captured by the released button picture or
    // the page under it; the release goes there wherever the pointer is then, and moves with
    // the left button held drag the window while the page has the press.
    void mouse_down(int32_t x, int32_t y, MouseButton button) override;
    void mouse_up(int32_t x, int32_t y, MouseButton button) override;
    void mouse_move(int32_t x, int32_t y, bool left_held) override;
    // The window lost the pointer during a left press (it was hidden, or another window took
    // the pointer) and will not see its release: the press ends without turning a page or
    // closing, and the button shows its released look again.
    void mouse_capture_lost() override;
    Cursor cursor_at(int32_t x, int32_t y) const override;

private:
    void show_pair(HolderId down, HolderId up, bool shown);
    // The pressed picture beneath a button's released one; -1 for anything else.
    HolderId pressed_picture_of(HolderId released) const;

    ManualScreen& m_screen;
    ManualViewerView& m_window;
    HolderId m_captured = -1;  // the button picture or page that took the left press
};

}  // namespace fluffo
