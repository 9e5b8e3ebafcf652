#include "app/web/page_windows.h"

#include <cmath>

#include "app/web/page_calls.h"
#include "base/error_boundary.h"
#include "base/json_writer.h"
#include "input/key_list.h"

namespace fluffo {

PageWindows::PageWindows(ShellPort& shell, KeyBindings& keys, SettingsStore& store,
                         ScreenModel& main, Enable enable_main_window)
    : m_about(shell, *this),
      m_manual(m_manual_screen, *this),
      m_keys(keys, store, main, *this),
      m_enable_main(std::move(enable_main_window)) {}

void PageWindows::create(const SkinSources& sources, double zoom, double device_pixel_ratio) {
    m_keys.FormCreate();
    follow_zoom(zoom, device_pixel_ratio, sources);
}

void PageWindows::follow_zoom(double zoom, double device_pixel_ratio, const SkinSources& sources) {
    m_zoom = zoom;
    m_scale = zoom * device_pixel_ratio;
    m_manual.zoom = static_cast<int32_t>(std::lround(zoom * 100));
    SkinSources scaled = sources;
    scaled.scale = m_scale;
    m_manual_stale = true;
    m_manual.FormCreate(scaled);
}

void PageWindows::show_about() {
    JsonWriter w;
    w.begin_object().key("rows").begin_array();
    for (const AboutRow& row : about_rows()) {
        w.begin_object().key("name").string(row.name).key("caption").string(row.caption);
        w.key("value").string(row.value).end_object();
    }
    page::show_window("about", w.end_array().end_object().str());
    m_open = "about";
}

void PageWindows::show_manual() {
    m_manual_shown = true;
    m_manual_stale = true;
    m_manual.FormShow();
    m_open = "manual";
}

void PageWindows::show_key_settings() {
    m_keys_shown = true;
    m_open = "keys";
}

bool PageWindows::key(const std::string& name, VirtualKey key, bool down) {
    if (name == "about") return down && m_about.FormKeyDown(key);
    if (name == "manual") {
        if (down) {
            m_manual.FormKeyDown(key);
        } else {
            m_manual.FormKeyUp(key);
        }
        return true;
    }
    if (name == "keys") return down && m_keys.FormKeyDown(key);
    return false;
}

void PageWindows::about_link(int link) {
    if (link == 0) m_about.la_website_2Click();
    if (link == 1) m_about.la_email_2Click();
}

void PageWindows::manual_pointer(int kind, double css_x, double css_y, int button) {
    const auto x = static_cast<int32_t>(std::floor(css_x / m_zoom));
    const auto y = static_cast<int32_t>(std::floor(css_y / m_zoom));
    const MouseButton b = button == 2 ? MouseButton::Right : MouseButton::Left;
    if (kind == 0) m_manual.mouse_down(x, y, b);
    if (kind == 1) m_manual.mouse_up(x, y, b);
    if (kind == 2) m_manual.mouse_move(x, y, button == 1);
    if (kind == 3) m_manual.mouse_capture_lost();
    page::window_cursor("manual", static_cast<int32_t>(m_manual.cursor_at(x, y)));
}

void PageWindows::keys_select(int n, int32_t item) {
    if (const std::optional<Control> control = control_numbered(n)) m_keys.select(*control, item);
}

void PageWindows::keys_accept() {
    m_keys.btn_acceptClick();
}

void PageWindows::close_window() {
    if (m_open == "keys") m_keys_shown = false;
    page::hide_window(m_open);
}

// A page does not move its windows: the manual keeps its place over the handheld.
void PageWindows::move_to(int32_t left, int32_t top) {
    m_manual_left = left;
    m_manual_top = top;
}

void PageWindows::hide_window() {
    m_manual_shown = false;
    page::hide_window("manual");
}

std::string PageWindows::keys_json() const {
    JsonWriter w;
    w.begin_object().key("items").begin_array();
    for (const SelectableKey& k : Selectable_Keys)
        w.string(k.item_text);
    w.end_array().key("boxes").begin_array();
    for (Control c : All_Controls) {
        w.begin_object().key("selection").number(m_keys.selection(c));
        w.key("red").boolean(m_keys.label_colour(c) == Label_Red).end_object();
    }
    return w.end_array().key("accept").boolean(m_keys.accept_enabled()).end_object().str();
}

void PageWindows::refresh() {
    if (m_keys_shown) page::show_window("keys", keys_json());
    if (!m_manual_shown) return;
    const auto error = caught_error([&] {
        m_manual_frame.set_frame(m_manual_screen.client_width(), m_manual_screen.client_height(),
                                 ManualScreen::Window_Colour, m_scale);
    });
    if (error) return;
    const std::vector<Rect> changed = m_manual_frame.update(m_manual_screen.model());
    if (changed.empty() && !m_manual_stale) return;
    m_manual_stale = false;
    page::manual_frame(m_manual_frame.pixels().data(), m_manual_frame.width(),
                       m_manual_frame.height(), m_manual_screen.client_width() * m_zoom,
                       m_manual_screen.client_height() * m_zoom);
}

}  // namespace fluffo
