// The generated run folder against the window's design: Config.ini names a picture of exactly
// its holder's size for every image section, the body sits on the colour key without a
// fringe, the manual, backdrop and window pictures have their sizes, and each comes at 2x
// and 3x, sharp where the program draws at that scale.
#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/headless/headless_driver.h"
#include "display/config_ini.h"
#include "display/skin_images.h"

namespace {

const QDir Run_Dir(QStringLiteral(FLUFFO_RUN_DIR_PATH));

// Config.ini read as the program reads it.
fluffo::IniProfile read_config() {
    std::ifstream in(Run_Dir.filePath("Config.ini").toStdString(), std::ios::binary);
    return fluffo::IniProfile::parse(in);
}

std::string section_of(int n) {
    return "Image" + std::to_string(n);
}

class ArtworkTest : public testing::Test {
protected:
    void SetUp() override {
        ini = read_config();
        ASSERT_TRUE(ini.value("Common", "GameWidth"))
            << "no Config.ini in " << Run_Dir.path().toStdString();
    }
    QString value(const std::string& section, const std::string& key) const {
        return QString::fromStdString(ini.value(section, key).value_or("(missing)"));
    }
    // A picture named in the skin, manual or backdrop folder.
    QImage picture_in(const std::string& section, const std::string& dir_key,
                      const QString& name) const {
        return QImage(Run_Dir.filePath(
            QString::fromStdString(ini.read_directory(section, dir_key, "(missing)")) + name));
    }
    QImage skin_picture(const QString& name) const { return picture_in("Common", "SkinDir", name); }
    QString file_of(int n) const {
        return QString::fromStdString(
            ini.read_file_name(section_of(n), "Filename", "nil").value_or("nil"));
    }
    fluffo::IniProfile ini;
};

TEST_F(ArtworkTest, ConfigHasEverySectionAndTheDesignLayout) {
    EXPECT_EQ(ini.read_colour("VideoMode", "TranspColor", "$0"), 0x00ff00ffu);
    EXPECT_EQ(ini.read_integer("Common", "GameWidth", 0), 440);
    EXPECT_EQ(ini.read_integer("Common", "GameHeight", 0), 664);
    EXPECT_FALSE(ini.value(section_of(0), "Filename"));
    EXPECT_FALSE(ini.value(section_of(fluffo::Skin_Image_Count + 1), "Filename"));
    for (int n = 1; n <= fluffo::Skin_Image_Count; ++n) {
        const std::string section = section_of(n);
        SCOPED_TRACE(section);
        const fluffo::Rect design = fluffo::skin_images()[static_cast<size_t>(n - 1)].design;
        EXPECT_EQ(ini.read_integer(section, "Left", -1), design.left);
        EXPECT_EQ(ini.read_integer(section, "Top", -1), design.top);
        EXPECT_EQ(ini.read_integer(section, "Width", -1), design.width);
        EXPECT_EQ(ini.read_integer(section, "Height", -1), design.height);
        EXPECT_FALSE(ini.read_string(section, "Filename", "").empty());
    }
}

TEST_F(ArtworkTest, EveryNamedSkinPictureHasItsHoldersSize) {
    int pictures = 0;
    for (int n = 1; n <= fluffo::Skin_Image_Count; ++n) {
        const QString file = file_of(n);
        if (file == "nil") continue;
        SCOPED_TRACE(file.toStdString());
        const QImage image = skin_picture(file);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), ini.read_integer(section_of(n), "Width", -1));
        EXPECT_EQ(image.height(), ini.read_integer(section_of(n), "Height", -1));
        ++pictures;
    }
    // All but the three button click areas and the five digit positions.
    EXPECT_EQ(pictures, fluffo::Skin_Image_Count - 8);
}

TEST_F(ArtworkTest, ClickAreasOverPressedPicturesAndDigitPositionsCarryNoPicture) {
    for (int n = 1; n <= fluffo::Skin_Image_Count; ++n) {
        const std::string name(fluffo::skin_image_name(n));
        const QString file = file_of(n);
        const bool click_area =
            name == "btn_game_a_top" || name == "btn_game_b_top" || name == "btn_time_top";
        const bool digit_position = name.rfind("im_panel_digit_pos_", 0) == 0;
        EXPECT_EQ(file == "nil", click_area || digit_position) << name;
    }
}

TEST_F(ArtworkTest, BodySitsOnTheColourKeyWithoutAFringe) {
    const QImage body = skin_picture(file_of(1));
    ASSERT_EQ(body.size(), QSize(440, 664));
    const QRgb key = qRgb(255, 0, 255);
    for (QPoint corner : {QPoint(0, 0), QPoint(439, 0), QPoint(0, 663), QPoint(439, 663)}) {
        EXPECT_EQ(body.pixel(corner), key) << corner.x() << "," << corner.y();
    }
    for (QPoint inside :
         {QPoint(220, 332), QPoint(220, 2), QPoint(2, 332), QPoint(437, 332), QPoint(220, 661)}) {
        EXPECT_NE(body.pixel(inside), key) << inside.x() << "," << inside.y();
    }
    // Pixels that are not the key must not be a blend towards it: a pink halo would show.
    int keyed = 0;
    for (int y = 0; y < body.height(); ++y) {
        for (int x = 0; x < body.width(); ++x) {
            const QColor c(body.pixel(x, y));
            if (body.pixel(x, y) == key) {
                ++keyed;
                continue;
            }
            const bool pinkish = c.red() > 180 && c.blue() > 150 && c.green() < 110;
            ASSERT_FALSE(pinkish) << "pink fringe at " << x << "," << y;
        }
    }
    // The four rounded corners and nothing else.
    EXPECT_GT(keyed, 4 * 200);
    EXPECT_LT(keyed, 4 * 600);
}

TEST_F(ArtworkTest, LcdSegmentsAreTranslucentInkOnClear) {
    for (int n = 15; n <= fluffo::Skin_Image_Count; ++n) {
        const QString file = file_of(n);
        if (file == "nil" || !file.endsWith(".png")) continue;
        SCOPED_TRACE(file.toStdString());
        const QImage image = skin_picture(file).convertToFormat(QImage::Format_ARGB32);
        int ink = 0, clear = 0, strongest = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const int a = qAlpha(image.pixel(x, y));
                strongest = std::max(strongest, a);
                if (a > 100) ++ink;
                if (a == 0) ++clear;
            }
        }
        EXPECT_GT(ink, 8);
        EXPECT_GT(clear, 0);
        EXPECT_LE(strongest, 215);  // the reflector always shows a little through
    }
}

// Opaque holders cover the body: their pictures must match it where nothing is meant to
// change, or the handheld shows seams around its buttons and controller.
TEST_F(ArtworkTest, OpaquePicturesMatchTheBodyAroundThem) {
    const QImage body = skin_picture(file_of(1));
    for (int n = 3; n <= 14; ++n) {
        if (file_of(n) == "nil") continue;
        const std::string name(fluffo::skin_image_name(n));
        SCOPED_TRACE(name);
        const QImage pic = skin_picture(file_of(n));
        const QPoint at(ini.read_integer(section_of(n), "Left", -1),
                        ini.read_integer(section_of(n), "Top", -1));
        int ring_differs = 0, inside_differs = 0;
        for (int y = 0; y < pic.height(); ++y) {
            for (int x = 0; x < pic.width(); ++x) {
                const bool differs = pic.pixel(x, y) != body.pixel(at + QPoint(x, y));
                const bool ring = x == 0 || y == 0 || x == pic.width() - 1 || y == pic.height() - 1;
                (ring ? ring_differs : inside_differs) += differs ? 1 : 0;
            }
        }
        EXPECT_EQ(ring_differs, 0);
        const bool shows_a_change = name.find("_down") != std::string::npos ||
                                    name.find("ctrlr_overlay") != std::string::npos;
        if (shows_a_change) {
            EXPECT_GT(inside_differs, 20);  // the press or the arrow is visible
        } else {
            EXPECT_EQ(inside_differs, 0);
        }
    }
}

// The body is drawn for the design table: each button's rubber and the controller lie in the
// middle of their holders, with the red case just around them.
TEST_F(ArtworkTest, ButtonsAndControllerSitInTheirHolders) {
    const QImage body = skin_picture(file_of(1));
    auto rubber = [](QColor c) {
        return std::max({c.red(), c.green(), c.blue()}) < 0x70 &&
               std::abs(c.red() - c.blue()) < 0x18;
    };
    auto case_red = [](QColor c) { return c.red() > 0x90 && c.red() > 2 * c.green(); };
    for (const char* holder :
         {"btn_set_top", "btn_game_a_top", "btn_game_b_top", "btn_time_top", "btn_joystick_top"}) {
        SCOPED_TRACE(holder);
        const fluffo::Rect r = fluffo::skin_image(holder).design;
        const int mid_x = r.left + r.width / 2, mid_y = r.top + r.height / 2;
        EXPECT_TRUE(rubber(body.pixel(mid_x, mid_y)));
        EXPECT_TRUE(case_red(body.pixel(mid_x, r.top - 4)));
        EXPECT_TRUE(case_red(body.pixel(r.left - 4, mid_y)));
        EXPECT_TRUE(case_red(body.pixel(r.left + r.width + 3, mid_y)));
    }
}

// The eggs of a column stand on one vertical line and those of a row on one horizontal
// line, so the lit eggs read as a maze and not as a scatter.
TEST_F(ArtworkTest, EggsLineUpInColumnsAndRows) {
    std::map<int, std::vector<double>> column_x, row_y;
    for (int n = 73; n <= 106; ++n) {
        const QString file = file_of(n);
        const QImage egg = skin_picture(file).convertToFormat(QImage::Format_ARGB32);
        double weight = 0, sx = 0, sy = 0;
        for (int y = 0; y < egg.height(); ++y) {
            for (int x = 0; x < egg.width(); ++x) {
                const double a = qAlpha(egg.pixel(x, y)) > 100 ? 1 : 0;
                weight += a;
                sx += a * x;
                sy += a * y;
            }
        }
        ASSERT_GT(weight, 0) << file.toStdString();
        int col = 0, row = 0;
        ASSERT_EQ(std::sscanf(std::string(fluffo::skin_image_name(n)).c_str(), "im_egg_%d_%d", &col,
                              &row),
                  2);
        column_x[col].push_back(ini.read_integer(section_of(n), "Left", -1) + sx / weight);
        // Power eggs stand taller: only the plain eggs mark the row's line.
        if (!file.contains("_w"))
            row_y[row].push_back(ini.read_integer(section_of(n), "Top", -1) + sy / weight);
    }
    auto spread = [](const std::vector<double>& v) {
        return *std::max_element(v.begin(), v.end()) - *std::min_element(v.begin(), v.end());
    };
    ASSERT_EQ(column_x.size(), 5u);
    ASSERT_EQ(row_y.size(), 7u);
    for (const auto& [col, xs] : column_x)
        EXPECT_LE(spread(xs), 5.0) << "column " << col;
    for (const auto& [row, ys] : row_y)
        EXPECT_LE(spread(ys), 5.0) << "row " << row;
    // Neighbouring lines are a cell apart.
    for (int col = 1; col < 5; ++col) {
        EXPECT_GT(column_x[col + 1].front() - column_x[col].front(), 35) << col;
    }
}

TEST_F(ArtworkTest, ManualPagesFillTheManualWindow) {
    EXPECT_EQ(ini.read_integer("Manual", "ManualWidth", 0), 275);
    EXPECT_EQ(ini.read_integer("Manual", "ManualHeight", 0), 415);
    for (int page = 1; page <= 8; ++page) {
        const QImage image = picture_in("Manual", "ManualDir", QString("%1.bmp").arg(page));
        EXPECT_EQ(image.size(), QSize(275, 415)) << "page " << page;
    }
    EXPECT_TRUE(picture_in("Manual", "ManualDir", "9.bmp").isNull());
}

TEST_F(ArtworkTest, BackdropCoversAFullHdScreenAndTheLogoHasAlpha) {
    const QString backdrop_file = value("Fullscreen", "BackdropFile");
    const QImage backdrop = picture_in("Fullscreen", "BackdropDir", backdrop_file);
    ASSERT_FALSE(backdrop.isNull());
    EXPECT_GE(backdrop.width(), 1920);
    EXPECT_GE(backdrop.height(), 1080);
    EXPECT_TRUE(backdrop_file.toLower().endsWith(".jpg"));
    const QImage logo = picture_in("Fullscreen", "BackdropDir", value("Fullscreen", "LogoFile"));
    ASSERT_FALSE(logo.isNull());
    EXPECT_TRUE(logo.hasAlphaChannel());
    EXPECT_EQ(qAlpha(logo.pixel(logo.width() - 1, logo.height() - 1)), 0);
}

// Every picture of the run folder (skin, backdrop, logo, manual, windows; not the icons) has
// its variants for two and three screen pixels per window pixel, at exactly those sizes.
TEST(ArtworkVariants, EveryPictureComesAtTwiceAndThreeTimesItsSize) {
    int pictures = 0;
    for (const char* folder :
         {"Graphics/Skin", "Graphics/Backdrop", "Graphics/Manual", "Graphics/Window"}) {
        const QDir dir(Run_Dir.filePath(folder));
        for (const QString& name : dir.entryList(QDir::Files)) {
            if (name.contains('@') || name.startsWith("icon_")) continue;
            SCOPED_TRACE((QString(folder) + "/" + name).toStdString());
            const QImage one(dir.filePath(name));
            ASSERT_FALSE(one.isNull());
            const int dot = static_cast<int>(name.lastIndexOf('.'));
            for (int scale : {2, 3}) {
                const QImage variant(
                    dir.filePath(name.left(dot) + QString("@%1x").arg(scale) + name.mid(dot)));
                EXPECT_EQ(variant.size(), one.size() * scale) << scale << "x";
                EXPECT_EQ(variant.hasAlphaChannel(), one.hasAlphaChannel());
            }
            ++pictures;
        }
    }
    EXPECT_GT(pictures, 150);
}

// Sharpness: the handheld rendered at scale 2 takes the pictures drawn for it, so a segment's
// edge turns from the LCD to the ink within one screen pixel; the same skin with its 1x
// pictures alone is stretched smoothly, its edges several pixels wide.
TEST(ArtworkVariants, SegmentEdgesAreOneScreenPixelWideAtScaleTwo) {
    namespace fs = std::filesystem;
    const fs::path one_x = fs::temp_directory_path() / "fluffo_artwork_one_x";
    fs::remove_all(one_x);
    fs::create_directories(one_x);
    fs::copy(Run_Dir.filePath("Config.ini").toStdString(), one_x / "Config.ini");
    fs::copy(Run_Dir.filePath("Graphics").toStdString(), one_x / "Graphics",
             fs::copy_options::recursive);
    for (const auto& entry : fs::recursive_directory_iterator(one_x)) {
        if (entry.path().filename().string().find('@') != std::string::npos)
            fs::remove(entry.path());
    }
    // The widest run of pixels between the LCD and the ink across the left edge of the egg
    // at column 3, row 3 (window pixels 215..229 by 126..138), along its middle row.
    const auto edge_width = [](const std::string& skin_dir) {
        fluffo::HeadlessDriver driver(1);
        driver.set_scale(2);
        driver.load_skin(skin_dir);
        const std::string file = (fs::temp_directory_path() / "fluffo_sharp.png").string();
        EXPECT_EQ(driver.execute("play"), "");
        EXPECT_EQ(driver.execute("render " + file), "");
        const QImage frame(QString::fromStdString(file));
        EXPECT_EQ(frame.size(), QSize(880, 1328));
        std::vector<int> level;
        for (int x = 2 * 215; x < 2 * 230; ++x)
            level.push_back(qGray(frame.pixel(x, 2 * 132 + 1)));
        const int lcd = *std::max_element(level.begin(), level.begin() + 6);
        const int ink = *std::min_element(level.begin(), level.end());
        const auto first_ink =
            std::find_if(level.begin(), level.end(), [&](int v) { return v <= ink + 12; });
        int width = 0;
        for (auto it = first_ink; it != level.begin() && *(it - 1) < lcd - 12; --it)
            ++width;
        return width;
    };
    EXPECT_LE(edge_width(Run_Dir.path().toStdString()), 1);
    EXPECT_GE(edge_width(one_x.string()), 3);
    fs::remove_all(one_x);
}

TEST(ArtworkWindowPictures, HaveTheirDesignSizes) {
    const std::map<QString, QSize> sizes{{"start_background.bmp", {460, 420}},
                                         {"box.png", {148, 160}},
                                         {"play.bmp", {107, 30}},
                                         {"play_disabled.bmp", {107, 30}},
                                         {"donate.bmp", {107, 30}},
                                         {"about.bmp", {116, 160}},
                                         {"manual_close_up.bmp", {16, 14}},
                                         {"manual_close_down.bmp", {16, 14}},
                                         {"manual_left_up.bmp", {16, 14}},
                                         {"manual_left_down.bmp", {16, 14}},
                                         {"manual_right_up.bmp", {16, 14}},
                                         {"manual_right_down.bmp", {16, 14}},
                                         {"game_menu.png", {256, 512}}};
    for (const auto& [file, size] : sizes) {
        const QImage image(Run_Dir.filePath("Graphics/Window/" + file));
        EXPECT_EQ(image.size(), size) << file.toStdString();
    }
    EXPECT_TRUE(QImage(Run_Dir.filePath("Graphics/Window/box.png")).hasAlphaChannel());
    // The buttons drawn transparent show the window at their rounded corners.
    const QImage play(Run_Dir.filePath("Graphics/Window/play.bmp"));
    EXPECT_EQ(play.pixel(0, 29), play.pixel(106, 0));
    EXPECT_NE(play.pixel(0, 29), play.pixel(53, 15));
}

TEST(ArtworkWindowPictures, GameMenuHasAnOpaqueTitleBandOverATranslucentPanel) {
    const QImage menu = QImage(Run_Dir.filePath("Graphics/Window/game_menu.png"))
                            .convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(menu.size(), QSize(256, 512));
    EXPECT_EQ(menu.pixel(250, 2), qRgba(0, 0, 0, 255));
    EXPECT_EQ(menu.pixel(250, 31), qRgba(0, 0, 0, 255));
    EXPECT_EQ(qAlpha(menu.pixel(250, 32)), 204);
    EXPECT_EQ(qAlpha(menu.pixel(10, 500)), 204);
    EXPECT_EQ(qRed(menu.pixel(10, 500)), 0);
    // White in the band: the three-bar symbol within the closed button, and the title.
    auto white_in = [&](QRect r) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (qRed(menu.pixel(x, y)) > 200) return true;
        return false;
    };
    EXPECT_TRUE(white_in(QRect(0, 0, 36, 32)));
    EXPECT_TRUE(white_in(QRect(40, 0, 150, 32)));
}

// The program's icon at each size: a clear background around the case, and the case's straight
// sides on whole pixels. A large icon scaled down would leave half-covered pixels there and
// look blurred in a panel.
TEST(ArtworkAppIcon, EverySizeIsCrispOnAClearBackground) {
    for (int size : {32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage icon =
            QImage(Run_Dir.filePath(QString("Graphics/Window/icon_%1.png").arg(size)))
                .convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(icon.size(), QSize(size, size));
        const int last = size - 1, mid = size / 2;
        for (QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
            EXPECT_EQ(qAlpha(icon.pixel(corner)), 0);
        EXPECT_EQ(qAlpha(icon.pixel(mid, mid)), 255);
        // From each side towards the middle: clear, then at once opaque.
        auto first_covered = [&](QPoint from, QPoint step) {
            QPoint at = from;
            while (qAlpha(icon.pixel(at)) == 0)
                at += step;
            return at;
        };
        for (auto [from, step] :
             {std::pair{QPoint(0, mid), QPoint(1, 0)}, std::pair{QPoint(last, mid), QPoint(-1, 0)},
              std::pair{QPoint(mid, 0), QPoint(0, 1)},
              std::pair{QPoint(mid, last), QPoint(0, -1)}}) {
            const QPoint edge = first_covered(from, step);
            EXPECT_NE(edge, from) << "the case touches the border at " << from.x() << ","
                                  << from.y();
            EXPECT_EQ(qAlpha(icon.pixel(edge)), 255)
                << "soft edge at " << edge.x() << "," << edge.y();
        }
    }
}

}  // namespace
