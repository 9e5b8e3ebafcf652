#pragma once
// The page's other windows over their logic: the about window, the manual viewer (its pages
// composed like the handheld and drawn into a canvas of its own) and the key settings. The
// page shows each as a box over the handheld; keys, clicks and choices come back through
// the main page's one entry (WebPage::enter), so errors are told the same way.

#include <cstdint>
#include <string>

#include "display/compositor.h"
#include "display/manual_screen.h"
#include "windows/about_window_logic.h"
#include "windows/key_settings_logic.h"
#include "windows/manual_viewer_logic.h"

namespace fluffo {

class PageWindows : public AboutWindowView, public ManualViewerView, public KeySettingsView {
public:
    using Enable = std::function<void()>;
    PageWindows(ShellPort& shell, KeyBindings& keys, SettingsStore& store, ScreenModel& main,
                Enable enable_main_window);

    // At the page's start, once the bindings are loaded.
    void create(const SkinSources& sources, double zoom, double device_pixel_ratio);
    // The main window's size changed: the manual follows it.
    void follow_zoom(double zoom, double device_pixel_ratio, const SkinSources& sources);

    void show_about();
    void show_manual();
    void show_key_settings();

    // From the page; name is "about", "manual" or "keys". A key the window took is true.
    bool key(const std::string& name, VirtualKey key, bool down);
    void about_link(int link);
    void manual_pointer(int kind, double css_x, double css_y, int button);
    // Box n as the page numbers its boxes, 1..7 in the controls' order; another n is no box.
    void keys_select(int n, int32_t item);
    void keys_accept();

    // AboutWindowView, KeySettingsView
    void close_window() override;
    // ManualViewerView
    int32_t left() const override { return m_manual_left; }
    int32_t top() const override { return m_manual_top; }
    void move_to(int32_t left, int32_t top) override;
    void hide_window() override;
    // KeySettingsView
    void enable_main_window() override { m_enable_main(); }

    // Copies the manual's changed parts into its canvas, and the key settings' state.
    void refresh();

private:
    std::string keys_json() const;

    AboutWindowLogic m_about;
    ManualScreen m_manual_screen;
    ManualViewerLogic m_manual;
    KeySettingsLogic m_keys;
    Compositor m_manual_frame;
    Enable m_enable_main;
    std::string m_open;  // the window whose keys close_window() closes
    bool m_manual_shown = false;
    bool m_keys_shown = false;
    bool m_manual_stale = true;
    double m_zoom = 1.0;
    double m_scale = 1.0;
    int32_t m_manual_left = 0;
    int32_t m_manual_top = 0;
};

}  // namespace fluffo
