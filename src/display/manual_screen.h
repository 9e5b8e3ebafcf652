#pragma once
// The manual window's picture holders: eight hidden page holders, the page on show above them,
// the frame that takes the drag presses, and three pressable buttons (pressed picture below the
// released one) that keep their distance from the window's edges when it is resized.

#include <array>
#include <cstdint>

#include "display/screen_model.h"

namespace fluffo {

class ManualScreen {
public:
    static constexpr int32_t Default_Width = 275;
    static constexpr int32_t Default_Height = 415;
    static constexpr uint32_t Window_Colour = 0x00ffffffu;  // white
    static constexpr int32_t Button_Width = 16;
    static constexpr int32_t Button_Height = 14;
    static constexpr int32_t Button_Margin = 4;

    // All holders in drawing order at the default client size: close button and the next-page
    // button shown, the previous-page button hidden, the page holders hidden.
    ManualScreen();

    ScreenModel& model() { return m_model; }
    const ScreenModel& model() const { return m_model; }

    // Vid_Pages[n] is page n (1..8); index 0 is unused.
    std::array<HolderId, 9> Vid_Pages{};
    HolderId im_page_top = -1, sh_page_top = -1;
    HolderId btn_close_down = -1, btn_close_up = -1;
    HolderId btn_left_down = -1, btn_left_up = -1;
    HolderId btn_right_down = -1, btn_right_up = -1;

    int32_t client_width() const { return m_client_width; }
    int32_t client_height() const { return m_client_height; }
    // The page on show and the frame follow the client area; the buttons stay 4 pixels in from
    // their edges.
    void set_client_width(int32_t width);
    void set_client_height(int32_t height);

private:
    void follow_client_area();

    ScreenModel m_model;
    int32_t m_client_width = Default_Width;
    int32_t m_client_height = Default_Height;
};

// A frame of one black pixel around a see-through inside, width x height; none when empty or
// larger than the largest picture there can be (Config.ini may size the window at will).
PicturePtr outline_picture(int32_t width, int32_t height);

}  // namespace fluffo
