#include "app/web/web_page.h"

#include <algorithm>
#include <cmath>

#include "app/headless/command_words.h"
#include "app/web/page_calls.h"
#include "app/web/web_keys.h"
#include "base/error_boundary.h"
#include "base/json_writer.h"
#include "base/settings_values.h"
#include "engine/state_report.h"

namespace fluffo {

namespace {

// The page's pointer events, as fluffo.js numbers them.
enum PointerKind { Pointer_Down = 0, Pointer_Up = 1, Pointer_Move = 2, Pointer_Leave = 3 };

// PointerEvent.button: 0 the main button (a touch, a pen), 1 the middle, 2 the other.
MouseButton button_of(int button) {
    if (button == 1) return MouseButton::Middle;
    return button == 2 ? MouseButton::Right : MouseButton::Left;
}

}  // namespace

WebPage::WebPage(BrowserPictures& pictures, PageAudio& audio, StorageMedium& storage,
                 PageStart start)
    : m_pictures(pictures),
      m_audio(audio),
      m_start(start),
      m_web_store(storage),
      m_windowed(start.memory_store ? static_cast<SettingsStore&>(m_memory_store)
                                    : static_cast<SettingsStore&>(m_web_store)),
      m_store(m_windowed, [this](const std::string& text) { show_error(text); }),
      m_heard([this] { return m_logic.scheduler().now(); }),
      m_sound(m_audio),
      m_clock([this] { return m_logic.scheduler().now(); }),
      m_sources{m_config, m_pictures, "", ""},
      m_logic(MainWindowPorts{
          *this, *this, *this, m_store, m_sound, m_clock, m_random, m_sources,
          [this]() -> uint64_t { return m_start.seed ? *m_start.seed : clock_seed(); }}),
      m_windows(*this, m_logic.keys(), m_store, m_logic.screen().model(),
                [this] { m_enabled = true; }),
      m_driver(DriverTarget{m_logic.handheld(), m_logic.scheduler(), m_logic.screen(),
                            m_clock.settable, m_random, [this] { return m_heard.take(); },
                            [this] { return store_values(); }}),
      m_t0_ms(page::now_ms()) {
    m_clock.use_settable = start.virtual_time;
    m_sound.set_listener(&m_heard);
    m_heard.set_recording(start.virtual_time);
}

WebPage::~WebPage() {
    page::aim(-1);
}

void WebPage::start(bool with_start_screen) {
    enter([&] { m_logic.FormCreate(); });
    enter([&] {
        m_windows_created = true;
        m_windows.create(m_sources, m_zoom, device_pixel_ratio());
    });
    if (!with_start_screen) {
        // A restart: the handheld as the main window's creation leaves it, in view.
        m_logic.App_Splash_Pending = false;
        enter([&] { set_shown(true); });
        return;
    }
    m_start_screen = std::make_unique<StartScreenLogic>(m_store, m_sound, *this, m_logic,
                                                        m_logic.App_Splash_Pending, *this);
    enter([&] { m_start_screen->FormCreate(); });
    // The page has one sound output: with no choice stored its start screen offers it, so
    // PLAY is ready at once (the player may still choose silence).
    if (!m_start_screen->hidden_for_good() && m_start_screen->controls().sound_index < 0)
        enter([&] { m_start_screen->cb_soundChange(0); });
    enter([&] { m_logic.FormActivate(); });
}

// Time.

int64_t WebPage::real_now() const {
    return static_cast<int64_t>(std::floor(page::now_ms() - m_t0_ms)) + m_skew_ms;
}

void WebPage::catch_up() {
    if (m_start.virtual_time || m_off) return;
    // A handler's error abandons that handler only; the timers after it still fire, and the
    // first error is told.
    std::optional<std::string> first;
    for (;;) {
        const auto error = caught_error([&] { m_logic.scheduler().advance_to(real_now()); });
        if (!error) break;
        if (!first) first = error;
    }
    if (first) show_error(*first);
}

void WebPage::reaim() {
    const auto due = m_logic.scheduler().next_due();
    if (m_start.virtual_time || m_off || !due) {
        page::aim(-1);
        return;
    }
    page::aim(static_cast<double>(std::max<int64_t>(0, *due - real_now())));
}

void WebPage::follow_real_time() {
    m_start.virtual_time = false;
    m_heard.set_recording(false);
    m_skew_ms = 0;
    m_skew_ms = m_logic.scheduler().now() - real_now();
    enter([] {});
}

void WebPage::timer() {
    enter([] {});
}

void WebPage::enter(const std::function<void()>& handler) {
    ++m_depth;
    if (m_depth == 1) catch_up();
    const auto error = caught_error(handler);
    --m_depth;
    if (m_depth > 0) return;
    refresh();
    reaim();
    if (error) show_error(*error);
}

// The frame: recomposed where holders changed, copied into the canvas with the key colour
// see-through in windowed mode (the page shows beneath the handheld's corners).
void WebPage::refresh() {
    if (m_off) return;
    const double scale = m_zoom * device_pixel_ratio();
    const bool fullscreen = m_logic.screen().Vid_Fullscreen;
    std::vector<Rect> recomposed;
    const auto refused = caught_error([&] {
        m_compositor.set_frame(m_client_width, m_client_height, m_colour, scale);
        recomposed = m_compositor.update(m_logic.screen().model());
    });
    if (refused) show_error(*refused);
    const int32_t fw = m_compositor.width();
    const int32_t fh = m_compositor.height();
    if (fw <= 0 || fh <= 0) return;
    const size_t count = static_cast<size_t>(fw) * static_cast<size_t>(fh);
    const bool see_through = m_colour_key_on && !fullscreen;
    if (m_shown_pixels.size() != count || scale != m_frame_scale) {
        m_shown_pixels.assign(count, 0);
        m_frame_scale = scale;
        m_frame_stale = true;
    }
    if (m_frame_stale) {
        recomposed = {Rect{0, 0, fw, fh}};
        page::frame_size(fw, fh, m_client_width * m_zoom, m_client_height * m_zoom, fullscreen);
    }
    const uint32_t key = m_colour_key & 0x00ffffffu;
    for (const Rect& r : recomposed) {
        const int32_t x0 = std::max(0, r.left);
        const int32_t y0 = std::max(0, r.top);
        const int32_t x1 = std::min(fw, r.left + r.width);
        const int32_t y1 = std::min(fh, r.top + r.height);
        if (x0 >= x1 || y0 >= y1) continue;
        for (int32_t y = y0; y < y1; ++y) {
            const size_t row = static_cast<size_t>(y) * static_cast<size_t>(fw);
            for (int32_t x = x0; x < x1; ++x) {
                const uint32_t p = m_compositor.pixels()[row + static_cast<size_t>(x)];
                m_shown_pixels[row + static_cast<size_t>(x)] =
                    see_through && (p & 0x00ffffffu) == key ? 0u : p;
            }
        }
        page::blit(m_shown_pixels.data(), fw, x0, y0, x1 - x0, y1 - y0);
    }
    // The in-game menu's rows, drawn over the frame by the page.
    const auto dirty_rows = m_logic.take_menu_dirty();
    const auto& rows = m_logic.game_menu().rows();
    if (m_frame_stale || !dirty_rows.empty() || !recomposed.empty() ||
        m_menu_was_open != !rows.empty()) {
        JsonWriter w;
        w.begin_array();
        for (const MenuRow& row : rows) {
            if (row.separator) continue;
            w.begin_object()
                .key("x")
                .number(row.bounds.left)
                .key("y")
                .number(row.bounds.top)
                .key("w")
                .number(row.bounds.width)
                .key("h")
                .number(row.bounds.height);
            w.key("text").string(row.text).key("enabled").boolean(row.enabled);
            w.key("opaque").boolean(row.opaque).end_object();
        }
        page::menu_rows(w.end_array().str());
        m_menu_was_open = !rows.empty();
    }
    m_frame_stale = false;
    m_windows.refresh();
}

// Input.

void WebPage::key(VirtualKey virtual_key, bool down, KeyModifiers held,
                  const std::string& key_text) {
    if (m_off || !m_shown || !m_enabled) return;
    if (const auto change = zoom_change_of_key(key_text, held)) {
        if (down) enter([&] { m_logic.change_zoom(*change); });
        return;
    }
    if (virtual_key == vk::None) return;
    enter([&] {
        if (down) {
            m_logic.FormKeyDown(virtual_key);
            m_logic.menu_shortcut(virtual_key, held);
        } else {
            m_logic.FormKeyUp(virtual_key);
        }
    });
}

void WebPage::pointer(int kind, double css_x, double css_y, int button) {
    if (m_off || !m_shown || !m_enabled) return;
    const auto x = static_cast<int32_t>(std::floor(css_x / m_zoom));
    const auto y = static_cast<int32_t>(std::floor(css_y / m_zoom));
    enter([&] {
        switch (kind) {
            case Pointer_Down:
                m_logic.mouse_down(x, y, button_of(button));
                break;
            case Pointer_Up:
                m_logic.mouse_up(x, y, button_of(button));
                break;
            case Pointer_Move:
                m_logic.mouse_move(x, y, button == 1);
                break;
            default:
                m_logic.mouse_leave();
                break;
        }
    });
    const auto shape = static_cast<int32_t>(m_logic.cursor_at(x, y));
    if (shape != m_cursor) page::cursor(m_cursor = shape);
}

std::string WebPage::open_menu() {
    enter([this] {
        m_logic.mouse_capture_lost();
        m_logic.pm_0_menuPopup();
    });
    JsonWriter w;
    w.begin_object().key("entries").begin_array();
    for (int i = 0; i < Popup_Entry_Count; ++i) {
        const PopupEntry& e = Popup_Entries[static_cast<size_t>(i)];
        w.begin_object().key("name").string(e.name).key("caption").string(e.caption);
        w.key("separator").boolean(is_separator(e));
        w.key("checkable").boolean(m_logic.checkable(i)).key("checked").boolean(m_logic.checked(i));
        std::string shortcut;
        if (const int n = vk::function_key_number(e.shortcut)) shortcut = "F" + std::to_string(n);
        if (e.shortcut == vk::Esc) shortcut = "Esc";
        w.key("shortcut")
            .string(shortcut)
            .key("size_after")
            .boolean(e.command == MenuCommand::Fullscreen);
        w.end_object();
    }
    w.end_array().key("sizes").begin_array();
    for (const int32_t percent : Zoom_Steps)
        w.number(percent);
    w.end_array().key("size").number(m_logic.zoom()).key("default").number(Popup_Default_Entry);
    return w.end_object().str();
}

void WebPage::menu_command(int entry) {
    if (entry < 0 || entry >= Popup_Entry_Count) return;
    const MenuCommand command = Popup_Entries[static_cast<size_t>(entry)].command;
    enter([&] { m_logic.run_command(command); });
}

void WebPage::set_zoom(int32_t percent) {
    enter([&] { m_logic.set_zoom(percent); });
}

void WebPage::viewport_changed() {
    m_frame_stale = true;
    enter([this] { m_logic.screen_changed(); });
}

void WebPage::fullscreen_left() {
    if (!m_logic.screen().Vid_Fullscreen) return;
    enter([this] { m_logic.pm_10_fullscreenClick(); });
}

void WebPage::pad_press(const PadPress& press) {
    if (m_off || !m_shown || !m_enabled) return;
    enter([&] { m_logic.pad_press(press); });
}

// The start screen.

void WebPage::start_screen_sound(int32_t index) {
    if (m_start_screen) enter([&] { m_start_screen->cb_soundChange(index); });
}

void WebPage::start_screen_splash(bool checked) {
    if (m_start_screen) enter([&] { m_start_screen->chb_splashscreenChange(checked); });
}

void WebPage::start_screen_play() {
    if (!m_start_screen || !m_start_screen->controls().play_enabled) return;
    enter([&] { m_start_screen->btn_playClick(); });
}

void WebPage::start_screen_link(int link) {
    if (!m_start_screen) return;
    enter([&] {
        if (link == 0) m_start_screen->la_website_2Click();
        if (link == 1) m_start_screen->la_email_2Click();
        if (link == 2) m_start_screen->btn_paypalClick();
    });
}

bool WebPage::start_screen_key(VirtualKey key) {
    if (!m_start_screen || m_start_screen->hidden_for_good()) return false;
    bool taken = false;
    enter([&] { taken = m_start_screen->FormKeyDown(key); });
    return taken;
}

void WebPage::place_off_screen() {
    page::hide_window("start");
}

void WebPage::centre_on_screen() {
    if (m_start_screen) refresh_controls(m_start_screen->controls());
}

void WebPage::hide_for_good() {
    page::hide_window("start");
}

void WebPage::refresh_controls(const StartScreenControls& c) {
    JsonWriter w;
    w.begin_object().key("title").string(c.game_title).key("version").string(c.version);
    w.key("release").string(c.release_date).key("sound").number(c.sound_index);
    w.key("splash").boolean(c.splash_screen_checked).key("play").boolean(c.play_enabled);
    w.key("drivers").begin_array();
    for (const std::string_view text : Snd_Driver_Texts)
        w.string(text);
    w.end_array();
    page::show_window("start", w.end_object().str());
}

void WebPage::show_start_screen() {
    if (m_start_screen && !m_start_screen->hidden_for_good())
        refresh_controls(m_start_screen->controls());
}

// The driver.

std::vector<std::string> WebPage::script(const std::string& text) {
    std::vector<std::string> answers;
    m_heard.set_recording(true);
    enter([&] {
        size_t from = 0;
        while (from <= text.size()) {
            const size_t end = text.find('\n', from);
            const size_t stop = end == std::string::npos ? text.size() : end;
            const std::string_view line(text.data() + from, stop - from);
            const Words words = split_words(line);
            if (!words.empty() && words[0] == "clock") m_clock.use_settable = true;
            std::string answer = m_driver.execute(line);
            if (!answer.empty()) answers.push_back(std::move(answer));
            if (end == std::string::npos) break;
            from = stop + 1;
        }
    });
    m_heard.set_recording(m_start.virtual_time);
    // Real time goes on from where the script left the handheld's clock.
    if (!m_start.virtual_time)
        m_skew_ms =
            std::max<int64_t>(m_skew_ms, m_logic.scheduler().now() - (real_now() - m_skew_ms));
    reaim();
    return answers;
}

std::string WebPage::state() const {
    return state_json(const_cast<MainWindowLogic&>(m_logic).handheld().state,
                      const_cast<MainWindowLogic&>(m_logic).scheduler());
}

std::map<std::string, StoredValue> WebPage::store_values() {
    if (m_start.memory_store) return m_memory_store.values();
    std::map<std::string, StoredValue> out;
    for (const std::string& name : PageStorage().names()) {
        if (auto v = m_store.read_value(name)) out[name] = *v;
    }
    return out;
}

// The window.

int32_t WebPage::screen_width() const {
    return page::screen_width();
}

int32_t WebPage::screen_height() const {
    return page::screen_height();
}

double WebPage::device_pixel_ratio() const {
    return page::device_pixel_ratio();
}

// The page's viewport is the area a windowed handheld may take.
Rect WebPage::available_area() const {
    return Rect{0, 0, page::viewport_width(), page::viewport_height()};
}

// A page does not move its handheld: the canvas stays centred in the page.
void WebPage::move_to(int32_t left, int32_t top) {
    m_left = left;
    m_top = top;
}

void WebPage::set_shown(bool shown) {
    m_shown = shown;
    m_frame_stale = true;
    page::set_shown(shown);
}

void WebPage::set_title(const std::string& title) {
    page::set_title(title);
}

void WebPage::open_document(const std::string& file_name) {
    page::open_document(file_name);
}

void WebPage::open_address(const std::string& address) {
    page::open_address(address);
}

void WebPage::beep() {
    page::beep();
}

void WebPage::show_error(const std::string& text) {
    page::show_error(text);
}

// "Exit": the handheld is switched off, its sound released and every value the store still
// holds written; the page offers to switch it on again.
void WebPage::terminate() {
    if (m_off) return;
    m_logic.FormClose();
    m_store.flush();
    m_off = true;
    page::aim(-1);
    page::switched_off();
}

void WebPage::set_zoom(double zoom) {
    m_zoom = zoom;
    if (m_windows_created) m_windows.follow_zoom(zoom, device_pixel_ratio(), m_sources);
}

void WebPage::show_about() {
    m_windows.show_about();
}

void WebPage::show_manual() {
    m_windows.show_manual();
}

void WebPage::show_key_settings() {
    m_windows.show_key_settings();
}

bool WebPage::window_key(const std::string& name, VirtualKey key, bool down) {
    bool taken = false;
    enter([&] { taken = m_windows.key(name, key, down); });
    return taken;
}

void WebPage::about_link(int link) {
    enter([&] { m_windows.about_link(link); });
}

void WebPage::manual_pointer(int kind, double css_x, double css_y, int button) {
    enter([&] { m_windows.manual_pointer(kind, css_x, css_y, button); });
}

void WebPage::keys_select(int n, int32_t item) {
    enter([&] { m_windows.keys_select(n, item); });
}

void WebPage::keys_accept() {
    enter([&] { m_windows.keys_accept(); });
}

}  // namespace fluffo
