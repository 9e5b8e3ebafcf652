#include "preview.h"

#include <cstring>
#include <memory>

#include "art_scale.h"
#include "colour_key.h"
#include "display/compositor.h"
#include "display/main_screen.h"
#include "display/skin_images.h"

namespace artwork {

namespace {

using fluffo::Figure;
using fluffo::LcdState;
using fluffo::MainScreen;
using fluffo::Mark;

// The screen lit as the handheld lights it, through its own screen state.
void set_game_scene(MainScreen& s, LcdState& lcd, bool arrows) {
    lcd.Vid_Show_All(false);
    lcd.show(Mark::Panel_Game_A, true);
    const int32_t score = 1230, lives = 2;
    lcd.Vid_Show_Panel_Score(score, true);
    lcd.Vid_Show_Panel_Lives(lives);
    // Eggs laid along the way Fluffo came, one power egg still waiting.
    const int visited[][2] = {{3, 5}, {2, 5}, {1, 5}, {1, 6}, {1, 7}, {2, 7}, {3, 7},
                              {4, 7}, {5, 7}, {5, 6}, {4, 6}, {3, 6}, {3, 3}, {2, 3},
                              {1, 3}, {1, 2}, {1, 1}, {2, 1}, {3, 1}};
    for (const auto& cell : visited) {
        lcd.show(Figure::Egg, cell[0], cell[1], true);
    }
    lcd.show(Figure::Egg, 4, 2, true);
    lcd.Vid_Show_Fluffo(true, 4, 1);
    lcd.show(Figure::Wolf, 4, 3, true);
    lcd.show(Figure::Wolf, 2, 4, true);
    lcd.show(Mark::Den_Wolf_Pacing, true);
    lcd.show(Figure::Gate, 1, 4, true);
    lcd.show(Figure::Gate, 5, 4, true);
    if (arrows) {
        s.Vid_Ctrlr_Overlay = true;
        lcd.show(Mark::Time_Pressed, true);
    }
    s.Vid_Display_Ctrl_Overlay();
}

// A picture as the program holds it once read from its file: a bitmap, opaque, keyed by its
// bottom-left colour where its holder is transparent; a PNG with its alpha. The bytes R, G, B,
// A of RGBA8888 are the core's 0xAABBGGRR pixels on a little-endian machine.
fluffo::PicturePtr program_picture(const SkinPicture& pic) {
    const bool bitmap = pic.file.endsWith(".bmp");
    const QImage rgba = (bitmap ? pic.image.convertToFormat(QImage::Format_RGB32) : pic.image)
                            .convertToFormat(QImage::Format_RGBA8888);
    auto picture = std::make_shared<fluffo::Picture>();
    picture->width = rgba.width();
    picture->height = rgba.height();
    picture->density = static_cast<int32_t>(pic.image.devicePixelRatio());
    const auto width = static_cast<size_t>(rgba.width());
    picture->pixels.resize(width * static_cast<size_t>(rgba.height()));
    for (int y = 0; y < rgba.height(); ++y) {
        std::memcpy(picture->pixels.data() + static_cast<size_t>(y) * width, rgba.constScanLine(y),
                    width * sizeof(uint32_t));
    }
    picture->transparency =
        bitmap ? fluffo::Transparency::BottomLeftKey : fluffo::Transparency::Alpha;
    return picture;
}

}  // namespace

QImage compose_main_window(const std::vector<SkinPicture>& pictures, Scene scene) {
    MainScreen screen;
    LcdState lcd(screen);
    fluffo::ScreenModel& model = screen.model();
    // Pictures first: the digit positions take copies of the number pictures.
    for (const SkinPicture& pic : pictures) {
        if (!pic.file.isEmpty()) model.set_picture(model.require(pic.name), program_picture(pic));
    }
    if (scene == Scene::AllOn) {
        lcd.Vid_Show_All(true);
        screen.Vid_Display_Ctrl_Overlay();
    } else if (scene == Scene::Gates) {
        lcd.Vid_Show_All(false);
        lcd.show(Figure::Gate, 3, 1, true);
        lcd.show(Figure::Gate, 3, 7, true);
        lcd.Vid_Show_Fluffo(true, 5, 4);
        screen.Vid_Display_Ctrl_Overlay();
    } else {
        set_game_scene(screen, lcd, scene == Scene::Arrows);
    }

    // Drawn by the program's own compositor, on the window's colour key.
    fluffo::Compositor compositor;
    compositor.set_frame(fluffo::Design_Client.width, fluffo::Design_Client.height,
                         qRgb(qBlue(Colour_Key), qGreen(Colour_Key), qRed(Colour_Key)),
                         art_scale());
    compositor.update(model);
    const QImage frame(reinterpret_cast<const uchar*>(compositor.pixels().data()),
                       compositor.width(), compositor.height(), QImage::Format_RGBA8888);
    return at_scale(frame.convertToFormat(QImage::Format_ARGB32));
}

}  // namespace artwork
