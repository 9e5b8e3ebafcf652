#include "preview.h"

#include <QPainter>
#include <map>

#include "body.h"
#include "display/main_screen.h"

namespace artwork {

namespace {

using fluffo::MainScreen;

void set_game_scene(MainScreen& s, bool arrows) {
    s.Vid_Show_All(false);
    const auto& n = s.named();
    s.show(n.im_panel_game_a, true);
    const int32_t score = 1230, lives = 2;
    s.Vid_Show_Panel_Score(score, true);
    s.Vid_Show_Panel_Lives(lives);
    // Eggs laid along the way Fluffo came, one power egg still waiting.
    const int visited[][2] = {{3, 5}, {2, 5}, {1, 5}, {1, 6}, {1, 7}, {2, 7}, {3, 7},
                              {4, 7}, {5, 7}, {5, 6}, {4, 6}, {3, 6}, {3, 3}, {2, 3},
                              {1, 3}, {1, 2}, {1, 1}, {2, 1}, {3, 1}};
    for (const auto& cell : visited) {
        s.show(MainScreen::cell(s.Vid_Egg_Images, cell[0], cell[1]), true);
    }
    s.show(n.im_egg_4_2_w, true);
    s.Vid_Show_Fluffo(true, 4, 1);
    s.show(MainScreen::cell(s.Vid_Wolf_Images, 4, 3), true);
    s.show(MainScreen::cell(s.Vid_Wolf_Images, 2, 4), true);
    s.show(n.im_wolf_3_4b, true);
    s.show(MainScreen::cell(s.Vid_Gate_Images, 1, 4), true);
    s.show(MainScreen::cell(s.Vid_Gate_Images, 5, 4), true);
    if (arrows) {
        s.Vid_Ctrlr_Overlay = true;
        s.show(n.btn_time_down, true);
    }
    s.Vid_Display_Ctrl_Overlay();
}

// A bitmap in a transparent holder: its bottom-left colour is see-through.
QImage keyed(const QImage& image) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = out.pixel(0, out.height() - 1);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((row[x] | 0xFF000000) == (key | 0xFF000000)) row[x] = 0;
        }
    }
    return out;
}

}  // namespace

QImage compose_main_window(const std::vector<SkinPicture>& pictures, Scene scene) {
    std::map<std::string, const SkinPicture*> by_name;
    for (const SkinPicture& pic : pictures)
        by_name[pic.name] = &pic;

    MainScreen screen;
    if (scene == Scene::AllOn) {
        screen.Vid_Show_All(true);
        screen.Vid_Display_Ctrl_Overlay();
    } else if (scene == Scene::Gates) {
        screen.Vid_Show_All(false);
        screen.show(MainScreen::cell(screen.Vid_Gate_Images, 3, 1), true);
        screen.show(MainScreen::cell(screen.Vid_Gate_Images, 3, 7), true);
        screen.Vid_Show_Fluffo(true, 5, 4);
        screen.Vid_Display_Ctrl_Overlay();
    } else {
        set_game_scene(screen, scene == Scene::Arrows);
    }

    QImage frame(440, 664, QImage::Format_ARGB32);
    frame.fill(Colour_Key);
    QPainter p(&frame);
    const auto& model = screen.model();
    for (const fluffo::Holder& h : model.holders()) {
        if (!h.visible) continue;
        std::string source = h.name;
        if (h.copied_from >= 0) source = model.at(h.copied_from).name;
        const auto found = by_name.find(source);
        if (found == by_name.end() || found->second->file.isEmpty()) continue;
        const SkinPicture& pic = *found->second;
        const QRect place(h.bounds.left, h.bounds.top, h.bounds.width, h.bounds.height);
        QImage image = pic.image;
        if (h.transparent && pic.file.endsWith(".bmp")) image = keyed(image);
        if (!h.transparent) image = image.convertToFormat(QImage::Format_RGB32);
        p.save();
        p.setClipRect(place);
        if (h.stretch) {
            p.drawImage(place, image);
        } else {
            p.drawImage(place.topLeft(), image);
        }
        p.restore();
    }
    return frame;
}

}  // namespace artwork
