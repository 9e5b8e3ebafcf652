#pragma once
// The start screen's fixed layout: its client size and where each of its fifteen controls
// sits, by the control's name, in the order the window makes them (the background first,
// beneath everything). The play button and its greyed twin share one place; one of them is
// shown at a time.

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

#include "display/screen_model.h"

namespace fluffo {

struct StartScreenPlace {
    std::string_view name;
    Rect bounds;
};

inline constexpr Rect Start_Screen_Client{0, 0, 460, 420};

inline constexpr std::array<StartScreenPlace, 15> Start_Screen_Layout = {{
    {"im_background", {0, 0, 460, 420}},
    {"im_box_picture", {0, 56, 460, 160}},
    {"la_game_title", {0, 12, 460, 15}},
    {"la_version", {0, 28, 460, 15}},
    {"la_release_date", {0, 236, 460, 15}},
    {"la_website_1", {118, 259, 56, 15}},
    {"la_website_2", {174, 259, 168, 15}},
    {"la_email_1", {118, 282, 56, 15}},
    {"la_email_2", {174, 282, 168, 15}},
    {"la_sound_select", {98, 308, 116, 15}},
    {"cb_sound", {217, 308, 144, 21}},
    {"btn_play", {116, 340, 107, 30}},
    {"btn_play_disabled", {116, 340, 107, 30}},
    {"btn_paypal", {237, 340, 107, 30}},
    {"chb_splashscreen", {12, 391, 444, 17}},
}};

// The place of the control called name; throws std::logic_error for any other name.
inline Rect start_screen_place(std::string_view name) {
    for (const StartScreenPlace& place : Start_Screen_Layout) {
        if (place.name == name) return place.bounds;
    }
    throw std::logic_error("not a start screen control: " + std::string(name));
}

}  // namespace fluffo
