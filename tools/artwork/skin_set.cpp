#include "skin_set.h"

#include <cstdio>
#include <sstream>

#include "body.h"
#include "design_places.h"
#include "display/skin_images.h"
#include "figures.h"
#include "lcd_glass.h"
#include "panel_marks.h"

namespace artwork {

namespace {

bool starts_with(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

// Column and row of a figure holder such as im_wolf_2_5.
bool figure_cell(const std::string& name, const char* family, int& col, int& row) {
    const std::string pattern = std::string("im_") + family + "_%d_%d";
    return std::sscanf(name.c_str(), pattern.c_str(), &col, &row) == 2;
}

// The picture of one holder, or a null image for a holder that carries none.
QImage picture_for(const std::string& name, QRect place) {
    const QSize size = place.size();
    int col = 0, row = 0, digit = 0;
    if (name == "im_background") return body_picture();
    if (name == "im_background_screen_top") return screen_top_picture(place);
    // The click areas of the three buttons lie above their pressed pictures and draw
    // nothing, so the body's button, or its pressed look, shows through.
    if (name == "btn_game_a_top" || name == "btn_game_b_top" || name == "btn_time_top") return {};
    if (name == "btn_game_a_down" || name == "btn_game_b_down" || name == "btn_time_down") {
        return pressed_button_picture(place);
    }
    if (name == "btn_set_top" || name == "btn_joystick_top") return body_cut(place);
    if (name == "btn_ctrlr_overlay_up") return overlay_arrow_picture(place, Arrow::Up);
    if (name == "btn_ctrlr_overlay_left") return overlay_arrow_picture(place, Arrow::Left);
    if (name == "btn_ctrlr_overlay_right") return overlay_arrow_picture(place, Arrow::Right);
    if (name == "btn_ctrlr_overlay_down") return overlay_arrow_picture(place, Arrow::Down);
    if (name == "im_panel_game_a") return game_a_picture(size);
    if (name == "im_panel_game_b") return game_b_picture(size);
    if (name == "im_panel_game_over") return game_over_picture(size);
    if (name == "im_panel_bell") return bell_picture(size);
    if (name == "im_panel_time_pm") return pm_picture(size);
    if (name == "im_panel_time_colon") return colon_picture(size);
    if (starts_with(name, "im_panel_lives_")) return lives_picture(size);
    // A digit position shows copies of the number pictures; a picture of its own would
    // replace the digits shown whenever the skin is loaded again.
    if (starts_with(name, "im_panel_digit_pos_")) return {};
    if (std::sscanf(name.c_str(), "im_panel_number_%d", &digit) == 1) {
        return digit_picture(digit, size);
    }
    if (name == "im_wolf_3_4") return den_wolf_picture(place, false);
    if (name == "im_wolf_3_4b") return den_wolf_picture(place, true);
    if (figure_cell(name, "fluffo", col, row)) return fluffo_picture(place, col, row);
    if (figure_cell(name, "egg", col, row)) {
        return egg_picture(place, col, row,
                           name.size() > 2 && name.substr(name.size() - 2) == "_w");
    }
    if (figure_cell(name, "wolf", col, row)) return wolf_picture(place, col, row);
    if (starts_with(name, "im_gate_")) return gate_picture(place);
    return {};
}

// Opaque holders and the body take bitmaps; everything drawn over the body is PNG with alpha.
const char* extension_for(const std::string& name) {
    if (name == "im_background" || starts_with(name, "btn_")) return ".bmp";
    return ".png";
}

}  // namespace

std::vector<SkinPicture> skin_pictures() {
    std::vector<SkinPicture> pictures;
    int number = 1;
    for (const fluffo::SkinImage& s : fluffo::skin_images()) {
        SkinPicture pic;
        pic.number = number++;
        pic.name = std::string(s.name);
        pic.place = s.design;
        pic.image = picture_for(pic.name, qrect(s.design));
        if (!pic.image.isNull()) {
            pic.file = QString::fromStdString(pic.name.substr(pic.name.find('_') + 1)) +
                       extension_for(pic.name);
        }
        pictures.push_back(std::move(pic));
    }
    return pictures;
}

std::string config_ini_text(const std::vector<SkinPicture>& pictures) {
    std::ostringstream out;
    out << "; Fluffo Brambo (Zentrix, Gleeplay) Simulator: the skin.\n"
           "; Which pictures make up the handheld and where each one sits on the window.\n"
           "; Directories may use \\ or /. A Filename of nil means no picture.\n"
           "\n"
           "[Common]\n"
           "SkinDir=Graphics\\Skin\\\n"
        << "GameWidth=" << fluffo::Design_Client.width << "\n"
        << "GameHeight=" << fluffo::Design_Client.height << "\n"
        << "\n"
           "[Fullscreen]\n"
           "BackdropDir=Graphics\\Backdrop\\\n"
        << "BackdropFile=" << Backdrop_File << "\n"
        << "BackdropStretch=1\n"
           "BgColor=$00101820\n"
           "GameOffsetX=Center\n"
           "GameOffsetY=Center\n"
        << "LogoFile=" << Logo_File << "\n"
        << "LogoPosition=1\n"
           "\n"
           "[VideoMode]\n"
           "TranspColor=$00ff00ff\n"
           "\n"
           "[Manual]\n"
           "ManualDir=Graphics\\Manual\\\n"
           "ManualWidth=275\n"
           "ManualHeight=415\n";
    for (const SkinPicture& pic : pictures) {
        out << "\n; " << pic.name << "\n"
            << "[Image" << pic.number << "]\n"
            << "Filename=" << (pic.file.isEmpty() ? std::string("nil") : pic.file.toStdString())
            << "\n"
            << "Left=" << pic.place.left << "\n"
            << "Top=" << pic.place.top << "\n"
            << "Width=" << pic.place.width << "\n"
            << "Height=" << pic.place.height << "\n";
    }
    return out.str();
}

}  // namespace artwork
