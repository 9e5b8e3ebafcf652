#pragma once
// What the skin loader asks of the main window beyond its picture holders: the client size,
// the window colour and its transparent colour key, the screen size, the modal error box and
// the end of the program. PlainSkinWindow keeps the values it is given, for the headless
// driver and for anything that composes the window without a toolkit.

#include <cstdint>
#include <string>
#include <vector>

#include "display/skin_images.h"

namespace fluffo {

class SkinWindow {
public:
    virtual ~SkinWindow() = default;
    virtual void set_client_width(int32_t width) = 0;
    virtual void set_client_height(int32_t height) = 0;
    virtual int32_t client_width() const = 0;
    virtual int32_t client_height() const = 0;
    // Colours are 0x00BBGGRR (red in the low byte).
    virtual void set_colour(uint32_t colour) = 0;
    // Pixels of exactly the key colour are neither drawn nor hit by the mouse while it is on.
    virtual void set_colour_key(uint32_t colour) = 0;
    virtual void set_colour_key_enabled(bool on) = 0;
    virtual int32_t screen_width() const = 0;
    virtual int32_t screen_height() const = 0;
    // A modal error box with one OK button; returns when it is dismissed.
    virtual void show_error(const std::string& text) = 0;
    // Asks the program to end, as failed, once control is back in its event loop.
    virtual void terminate() = 0;
};

class PlainSkinWindow : public SkinWindow {
public:
    // The design's client size; the window colour is the default colour key, magenta. The
    // screen size matters only to the fullscreen look.
    explicit PlainSkinWindow(int32_t screen_width = 1920, int32_t screen_height = 1080)
        : m_screen_width(screen_width), m_screen_height(screen_height) {}

    void set_client_width(int32_t width) override { m_client_width = width; }
    void set_client_height(int32_t height) override { m_client_height = height; }
    int32_t client_width() const override { return m_client_width; }
    int32_t client_height() const override { return m_client_height; }
    void set_colour(uint32_t colour) override { m_colour = colour; }
    void set_colour_key(uint32_t colour) override { m_colour_key = colour; }
    void set_colour_key_enabled(bool on) override { m_colour_key_enabled = on; }
    int32_t screen_width() const override { return m_screen_width; }
    int32_t screen_height() const override { return m_screen_height; }
    void show_error(const std::string& text) override { m_errors.push_back(text); }
    void terminate() override { m_terminated = true; }

    uint32_t colour() const { return m_colour; }
    uint32_t colour_key() const { return m_colour_key; }
    bool colour_key_enabled() const { return m_colour_key_enabled; }
    const std::vector<std::string>& errors() const { return m_errors; }
    bool terminated() const { return m_terminated; }

private:
    int32_t m_screen_width;
    int32_t m_screen_height;
    int32_t m_client_width = Design_Client.width;
    int32_t m_client_height = Design_Client.height;
    uint32_t m_colour = 0x00ff00ffu;
    uint32_t m_colour_key = 0x00ff00ffu;
    bool m_colour_key_enabled = false;
    std::vector<std::string> m_errors;
    bool m_terminated = false;
};

}  // namespace fluffo
