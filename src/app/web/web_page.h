#pragma once
// The handheld in the page: the main window's and the start screen's logic over the page's
// canvas and windows, the settings in local storage, sound through Web Audio, and the one
// Scheduler aimed at its next due time by one browser timer. Virtual time is real time in whole
// milliseconds since the page's start; a page the browser slowed in the background catches up
// in order when it wakes (advance_to fires every timer that fell due). Every entry from the
// page passes enter(): the timers caught up first, errors shown in the page's box, then the
// changed parts of the frame copied into the canvas and the timer aimed again.
//
// The driver's command lines run on this same handheld (script). A page restarted on the
// virtual clock is the handheld as fluffo-sim assembles it: time 0, 00:00, seeded by hand,
// time moving only by "wait". Its "sounds" are the samples the handheld asked for, on its own
// clock, heard on the driver's clock and while a script runs (real play keeps no list).

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/headless/headless_driver.h"
#include "app/web/browser_pictures.h"
#include "app/web/page_ports.h"
#include "app/web/page_windows.h"
#include "app/web/web_store.h"
#include "base/random_source.h"
#include "base/wall_clock.h"
#include "display/compositor.h"
#include "engine/sound_recorder.h"
#include "engine/sound_system.h"
#include "windows/main_window_logic.h"
#include "windows/start_screen_logic.h"

namespace fluffo {

struct PageStart {
    bool virtual_time = false;     // the driver's clock: time moves only by "wait"
    std::optional<uint64_t> seed;  // none: from the clock
    bool memory_store = false;     // the settings in memory, not local storage
};

class WebPage : public MainWindowView, public AuxWindows, public ShellPort, public StartScreenView {
public:
    WebPage(BrowserPictures& pictures, PageAudio& audio, StorageMedium& storage, PageStart start);
    ~WebPage() override;
    WebPage(const WebPage&) = delete;
    WebPage& operator=(const WebPage&) = delete;

    // The main window's creation, then the start screen's (which may play at once), then the
    // first activation. A restarted page skips the start screen: it is shown at once.
    void start(bool with_start_screen);
    void enter(const std::function<void()>& handler);

    // Page events, each one entry.
    void timer();
    void key(VirtualKey key, bool down, KeyModifiers held, const std::string& key_text);
    void pointer(int kind, double css_x, double css_y, int button);
    // The pop-up menu's entries as JSON, once the menu is opened.
    std::string open_menu();
    void menu_command(int entry);
    void set_zoom(int32_t percent);
    void viewport_changed();
    // The browser left fullscreen by itself (its own Esc).
    void fullscreen_left();
    void start_screen_sound(int32_t index);
    void start_screen_splash(bool checked);
    void start_screen_play();
    void start_screen_link(int link);
    // A key while the start screen is up; false: the page does with it what it would.
    bool start_screen_key(VirtualKey key);
    void pad_press(const PadPress& press);
    // The other windows' events.
    bool window_key(const std::string& name, VirtualKey key, bool down);
    void about_link(int link);
    void manual_pointer(int kind, double css_x, double css_y, int button);
    void keys_select(int n, int32_t item);
    void keys_accept();

    // Driver lines on this handheld: every answer, in order (errors as {"error": ...}).
    std::vector<std::string> script(const std::string& text);
    std::string state() const;
    // Back from the driver's clock to real time, from the time the script reached.
    void follow_real_time();

    MainWindowLogic& logic() { return m_logic; }
    double zoom() const { return m_zoom; }

    // MainWindowView
    void set_client_width(int32_t width) override { m_client_width = width; }
    void set_client_height(int32_t height) override { m_client_height = height; }
    int32_t client_width() const override { return m_client_width; }
    int32_t client_height() const override { return m_client_height; }
    void set_colour(uint32_t colour) override { m_colour = colour; }
    void set_colour_key(uint32_t colour) override { m_colour_key = colour; }
    void set_colour_key_enabled(bool on) override { m_colour_key_on = on; }
    int32_t screen_width() const override;
    int32_t screen_height() const override;
    int32_t left() const override { return m_left; }
    int32_t top() const override { return m_top; }
    void move_to(int32_t left, int32_t top) override;
    void set_shown(bool shown) override;
    void set_enabled(bool enabled) override { m_enabled = enabled; }
    void set_title(const std::string& title) override;
    void set_zoom(double zoom) override;
    double device_pixel_ratio() const override;
    Rect available_area() const override;

    // ShellPort and the window's boxes
    void open_document(const std::string& file_name) override;
    void open_address(const std::string& address) override;
    void beep() override;
    void show_error(const std::string& text) override;
    void terminate() override;

    // AuxWindows
    void show_about() override;
    void show_manual() override;
    void show_key_settings() override;
    void show_start_screen() override;

    // StartScreenView
    void place_off_screen() override;
    void centre_on_screen() override;
    void hide_for_good() override;
    void refresh_controls(const StartScreenControls& controls) override;

private:
    int64_t real_now() const;
    void catch_up();
    void reaim();
    void refresh();
    std::map<std::string, StoredValue> store_values();

    BrowserPictures& m_pictures;
    PageAudio& m_audio;
    PageStart m_start;
    WebStore m_web_store;
    MemoryStore m_memory_store;
    WindowedFirstStart m_windowed;
    RetryingStore m_store;
    SoundRecorder m_heard;  // what the handheld asked to play, for the driver's "sounds"
    SoundSystem m_sound;
    // The computer's local time, until a script or a restart on the driver's clock sets it.
    class PageClock : public WallClock {
    public:
        explicit PageClock(std::function<int64_t()> now_ms) : settable(std::move(now_ms)) {}
        LocalTime local_time() override {
            return use_settable ? settable.local_time() : local.local_time();
        }
        LocalClock local;
        SettableClock settable;
        bool use_settable = false;
    };
    PageClock m_clock;
    SeededRandom m_random;
    DiskConfigFiles m_config;
    SkinSources m_sources;
    MainWindowLogic m_logic;
    std::unique_ptr<StartScreenLogic> m_start_screen;
    PageWindows m_windows;
    bool m_windows_created = false;
    HeadlessDriver m_driver;
    Compositor m_compositor;
    std::vector<uint32_t> m_shown_pixels;  // the frame with the key colour see-through

    double m_t0_ms = 0;
    int64_t m_skew_ms = 0;
    int m_depth = 0;
    int32_t m_client_width = Design_Client.width;
    int32_t m_client_height = Design_Client.height;
    uint32_t m_colour = 0x00ffffffu;
    uint32_t m_colour_key = 0x00ffffffu;
    bool m_colour_key_on = true;
    bool m_shown = false;
    bool m_enabled = true;
    bool m_off = false;
    bool m_frame_stale = true;  // the canvas is to be drawn whole
    bool m_menu_was_open = false;
    int32_t m_left = 0;
    int32_t m_top = 0;
    double m_zoom = 1.0;
    double m_frame_scale = 0;
    int32_t m_cursor = -1;
};

}  // namespace fluffo
