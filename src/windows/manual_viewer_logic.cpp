#include "windows/manual_viewer_logic.h"

#include <string>
#include <utility>

#include "base/platform_error.h"
#include "display/manual_pages.h"

namespace fluffo {

ManualViewerLogic::ManualViewerLogic(ManualScreen& screen, ManualViewerView& window)
    : m_screen(screen), m_window(window) {}

void ManualViewerLogic::FormCreate(const SkinSources& sources) {
    DeferredErrors errors;
    errors.attempt([&] { Gfx_Load_Manual_Pages(m_screen, sources); });

    const std::pair<HolderId, const char*> buttons[] = {
        {m_screen.btn_close_down, "manual_close_down.bmp"},
        {m_screen.btn_close_up, "manual_close_up.bmp"},
        {m_screen.btn_left_down, "manual_left_down.bmp"},
        {m_screen.btn_left_up, "manual_left_up.bmp"},
        {m_screen.btn_right_down, "manual_right_down.bmp"},
        {m_screen.btn_right_up, "manual_right_up.bmp"},
    };
    for (const auto& button : buttons) {
        const HolderId holder = button.first;
        const std::string path =
            sources.program_file(std::string(Window_Design_Folder) + button.second);
        // Each on its own: a damaged picture leaves only its own button empty.
        errors.attempt([&] {
            if (sources.picture_exists(path))
                m_screen.model().set_picture(holder, sources.load_picture(path));
        });
    }
    errors.rethrow_first();
}

void ManualViewerLogic::FormShow() {
    Vid_Show_Page();
}

void ManualViewerLogic::show_pair(HolderId down, HolderId up, bool shown) {
    m_screen.model().set_visible(down, shown);
    m_screen.model().set_visible(up, shown);
}

void ManualViewerLogic::Vid_Show_Page() {
    ScreenModel& model = m_screen.model();
    const HolderId page = m_screen.Vid_Pages[static_cast<size_t>(Vid_Current_Page)];
    model.set_picture(m_screen.im_page_top, model.at(page).picture, page);
    // The pages change one step at a time from the first, so the pair left alone on the first
    // and last page is already on show there.
    if (Vid_Current_Page == 1) {
        show_pair(m_screen.btn_left_down, m_screen.btn_left_up, false);
    } else if (Vid_Current_Page == Page_Count) {
        show_pair(m_screen.btn_right_down, m_screen.btn_right_up, false);
    } else {
        show_pair(m_screen.btn_left_down, m_screen.btn_left_up, true);
        show_pair(m_screen.btn_right_down, m_screen.btn_right_up, true);
    }
}

void ManualViewerLogic::Inp_left_down() {
    m_screen.model().set_visible(m_screen.btn_left_up, false);
}

// A button pressed with the mouse can outlive its page: a key may turn to the first or last
// page before the button is let go. Its release then turns no further.
void ManualViewerLogic::Inp_left_up() {
    if (Vid_Current_Page > 1) --Vid_Current_Page;
    Vid_Show_Page();
}

void ManualViewerLogic::Inp_right_down() {
    m_screen.model().set_visible(m_screen.btn_right_up, false);
}

void ManualViewerLogic::Inp_right_up() {
    if (Vid_Current_Page < Page_Count) ++Vid_Current_Page;
    Vid_Show_Page();
}

void ManualViewerLogic::Inp_esc_down() {
    m_screen.model().set_visible(m_screen.btn_close_up, false);
}

void ManualViewerLogic::Inp_esc_up() {
    m_screen.model().set_visible(m_screen.btn_close_up, true);
    m_window.hide_window();
    // A button held down with the mouse while Esc closed the window is let go with it.
    mouse_capture_lost();
}

// Keys.

void ManualViewerLogic::FormKeyDown(VirtualKey virtual_key) {
    switch (virtual_key) {
        case vk::Esc:
            Inp_esc_down();
            break;
        case vk::Left:
            if (Vid_Current_Page > 1) Inp_left_down();
            break;
        case vk::Right:
            if (Vid_Current_Page < Page_Count) Inp_right_down();
            break;
        default:
            break;
    }
}

void ManualViewerLogic::FormKeyUp(VirtualKey virtual_key) {
    switch (virtual_key) {
        case vk::Esc:
            Inp_esc_up();
            break;
        case vk::Left:
            if (Vid_Current_Page > 1) Inp_left_up();
            break;
        case vk::Right:
            if (Vid_Current_Page < Page_Count) Inp_right_up();
            break;
        default:
            break;
    }
}

// The mouse.

HolderId ManualViewerLogic::pressed_picture_of(HolderId released) const {
    if (released == m_screen.btn_close_up) return m_screen.btn_close_down;
    if (released == m_screen.btn_left_up) return m_screen.btn_left_down;
    if (released == m_screen.btn_right_up) return m_screen.btn_right_down;
    return -1;
}

void ManualViewerLogic::mouse_down(int32_t x, int32_t y, MouseButton button) {
    if (button != MouseButton::Left) return;
    // A left press whose release never came ends first.
    mouse_capture_lost();
    // A pressed picture under a hidden released one takes nothing: the page beneath does not
    // get the press either.
    const HolderId id = m_screen.model().topmost_at(x, y);
    if (id == m_screen.btn_close_up) {
        Inp_esc_down();
    } else if (id == m_screen.btn_left_up) {
        Inp_left_down();
    } else if (id == m_screen.btn_right_up) {
        Inp_right_down();
    } else if (id == m_screen.sh_page_top) {
        // The window system moves the window and has the press from now on.
        if (m_window.start_system_move()) return;
        const Rect& page = m_screen.model().at(id).bounds;
        Inp_Page_Drag_X = x - page.left;
        Inp_Page_Drag_Y = y - page.top;
    } else {
        return;
    }
    m_captured = id;
}

void ManualViewerLogic::mouse_up(int32_t /*x*/, int32_t /*y*/, MouseButton button) {
    if (button != MouseButton::Left) return;
    const HolderId id = std::exchange(m_captured, -1);
    if (id == m_screen.btn_close_up) {
        Inp_esc_up();
    } else if (id == m_screen.btn_left_up) {
        Inp_left_up();
    } else if (id == m_screen.btn_right_up) {
        Inp_right_up();
    }
}

void ManualViewerLogic::mouse_move(int32_t x, int32_t y, bool left_held) {
    if (m_captured != m_screen.sh_page_top || !left_held) return;
    // The pressed point comes back under the pointer: top first, then left.
    const Rect& page = m_screen.model().at(m_screen.sh_page_top).bounds;
    // Client pixels are zoomed into window pixels.
    const int32_t top =
        clamp_to_int32(int64_t{m_window.top()} +
                       zoomed(clamp_to_int32(int64_t{y} - page.top - Inp_Page_Drag_Y), zoom));
    m_window.move_to(m_window.left(), top);
    const int32_t left =
        clamp_to_int32(int64_t{m_window.left()} +
                       zoomed(clamp_to_int32(int64_t{x} - page.left - Inp_Page_Drag_X), zoom));
    m_window.move_to(left, m_window.top());
}

void ManualViewerLogic::mouse_capture_lost() {
    const HolderId id = std::exchange(m_captured, -1);
    const HolderId pressed = pressed_picture_of(id);
    if (pressed < 0) return;
    // The released look comes back only where the pair is on show: a key may have turned to
    // the page that hides it meanwhile.
    m_screen.model().set_visible(id, m_screen.model().at(pressed).visible);
}

Cursor ManualViewerLogic::cursor_at(int32_t x, int32_t y) const {
    const HolderId id = m_screen.model().topmost_at(x, y);
    return id >= 0 ? m_screen.model().at(id).cursor : Cursor::Default;
}

}  // namespace fluffo
