// Draws the handheld's artwork and writes it with Config.ini into a run folder:
//   fluffo-artwork RUN_DIR
// or composes the main window into one picture for a look at the result:
//   fluffo-artwork --preview FILE
//                  [--scene all|game|arrows|gates|manual|windows|backdrop|icons]
//                  [--zoom N] [--crop L,T,W,H]
// or shows part of a picture made elsewhere (a window rendered by fluffo-sim) larger:
//   fluffo-artwork --preview FILE --from PICTURE [--zoom N] [--crop L,T,W,H]
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "app_icon.h"
#include "art_files.h"
#include "art_scale.h"
#include "backdrop.h"
#include "colour_key.h"
#include "display/picture_variants.h"
#include "manual_pages.h"
#include "preview.h"
#include "skin_set.h"
#include "window_pictures.h"

namespace {

using namespace artwork;

// The file a picture drawn at the scale is written to: "name@2x.png" beside "name.png", as
// the program looks for it.
QString at_scale_name(const QString& path, int scale) {
    return QString::fromStdString(fluffo::variant_path(path.toStdString(), scale));
}

// Every picture of the run folder at one scale.
void write_pictures(const QDir& run, int scale) {
    const DrawnAt drawn(scale);

    const auto save = [&](const QImage& image, const QString& name) {
        save_picture(image, at_scale_name(run.filePath(name), scale));
    };
    const std::vector<SkinPicture> skin = skin_pictures();
    for (const SkinPicture& pic : skin) {
        if (!pic.file.isEmpty()) save(pic.image, "Graphics/Skin/" + pic.file);
    }
    save(backdrop_picture(), QString("Graphics/Backdrop/") + Backdrop_File);
    save(logo_picture(), QString("Graphics/Backdrop/") + Logo_File);
    const std::vector<QImage> pages = manual_pages(skin);
    for (size_t i = 0; i < pages.size(); ++i) {
        save(pages[i], QString("Graphics/Manual/%1.bmp").arg(i + 1));
    }
    for (const WindowPicture& pic : window_pictures()) {
        save(pic.image, "Graphics/Window/" + pic.file);
    }
}

// The pictures at 1x, 2x and 3x (Config.ini names the 1x ones, in 1x places), the icons and
// Config.ini.
void write_run_folder(const QString& run_dir) {
    const QDir run(run_dir);
    // The larger scales on threads of their own: they cost the most.
    std::exception_ptr failure;
    std::mutex failure_lock;
    std::vector<std::thread> threads;
    for (const int scale : {3, 2, 1}) {
        threads.emplace_back([&, scale] {
            try {
                write_pictures(run, scale);
            } catch (...) {
                const std::lock_guard lock(failure_lock);
                failure = std::current_exception();
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    if (failure) std::rethrow_exception(failure);
    save_text(config_ini_text(skin_pictures()), run.filePath("Config.ini"));
    for (int size : App_Icon_Sizes) {
        save_picture(app_icon(size), run.filePath("Graphics/Window/" + app_icon_file(size)));
    }
}

// The pictures side by side on grey, wrapping at a width.
QImage sheet(const std::vector<QImage>& pictures, int width) {
    int x = 0, y = 0, row_height = 0, height = 0;
    std::vector<QPoint> places;
    for (const QImage& pic : pictures) {
        if (x > 0 && x + pic.width() > width) {
            x = 0;
            y += row_height + 8;
            row_height = 0;
        }
        places.emplace_back(x, y);
        x += pic.width() + 8;
        row_height = std::max(row_height, pic.height());
        height = std::max(height, y + pic.height());
    }
    QImage out(width, height, QImage::Format_ARGB32);
    out.fill(QColor(0x80, 0x80, 0x80));
    QPainter p(&out);
    for (size_t i = 0; i < pictures.size(); ++i)
        p.drawImage(places[i], pictures[i]);
    return out;
}

// Every icon size on a light and on a dark desktop, as a panel or a menu shows them.
QImage icons_preview() {
    int width = 8, height = 0;
    for (int size : App_Icon_Sizes) {
        width += size + 8;
        height = std::max(height, size);
    }
    QImage out(width, 2 * (height + 16), QImage::Format_ARGB32);
    QPainter p(&out);
    for (int row = 0; row < 2; ++row) {
        const int top = row * (height + 16);
        p.fillRect(0, top, width, height + 16,
                   row == 0 ? QColor(0xF4, 0xF4, 0xF2) : QColor(0x2A, 0x2C, 0x30));
        int x = 8;
        for (int size : App_Icon_Sizes) {
            p.drawImage(x, top + 8 + height - size, app_icon(size));
            x += size + 8;
        }
    }
    return out;
}

QImage other_preview(const QString& scene_name) {
    if (scene_name == "icons") return icons_preview();
    if (scene_name == "manual") return sheet(manual_pages(skin_pictures()), 1130);
    if (scene_name == "backdrop") {
        // The fullscreen look on a 1920 x 1080 screen: backdrop, logo top right, the
        // handheld in the middle with its colour key see-through.
        QImage screen = backdrop_picture().convertToFormat(QImage::Format_ARGB32);
        const QImage handheld =
            without_colour_key(compose_main_window(skin_pictures(), Scene::Game));
        QPainter p(&screen);
        const QImage logo = logo_picture();
        p.drawImage(screen.width() - logo.width(), 0, logo);
        p.drawImage((screen.width() - handheld.width()) / 2,
                    (screen.height() - handheld.height()) / 2, handheld);
        p.end();
        return screen.scaledToWidth(960, Qt::SmoothTransformation);
    }
    std::vector<QImage> pictures;
    for (const WindowPicture& pic : window_pictures())
        pictures.push_back(pic.image);
    return sheet(pictures, 1000);
}

int write_preview(const QStringList& args) {
    QString file, scene_name = "all", from;
    int zoom = 1;
    QRect crop;
    for (int i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == "--preview")
            file = args[i + 1];
        else if (args[i] == "--from")
            from = args[i + 1];
        else if (args[i] == "--scene")
            scene_name = args[i + 1];
        else if (args[i] == "--zoom")
            zoom = args[i + 1].toInt();
        else if (args[i] == "--crop") {
            const QStringList v = args[i + 1].split(',');
            if (v.size() == 4) crop = QRect(v[0].toInt(), v[1].toInt(), v[2].toInt(), v[3].toInt());
        } else {
            std::fprintf(stderr, "unknown option %s\n", qPrintable(args[i]));
            return 2;
        }
    }
    if (!from.isEmpty() || scene_name == "manual" || scene_name == "windows" ||
        scene_name == "backdrop" || scene_name == "icons") {
        QImage other = from.isEmpty() ? other_preview(scene_name) : QImage(from);
        if (other.isNull()) throw std::runtime_error("cannot read " + from.toStdString());
        if (!crop.isNull()) other = other.copy(crop);
        if (zoom > 1) other = other.scaled(other.size() * zoom);
        save_picture(other, file);
        return 0;
    }
    const Scene scene = scene_name == "game"     ? Scene::Game
                        : scene_name == "arrows" ? Scene::Arrows
                        : scene_name == "gates"  ? Scene::Gates
                                                 : Scene::AllOn;
    QImage frame = compose_main_window(skin_pictures(), scene);
    if (!crop.isNull()) frame = frame.copy(crop);
    if (zoom > 1)
        frame = frame.scaled(frame.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    save_picture(frame, file);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    try {
        if (!args.isEmpty() && args[0] == "--preview" && args.size() >= 2)
            return write_preview(args);
        if (args.size() != 1 || args[0].startsWith("--")) {
            std::fprintf(stderr,
                         "usage: fluffo-artwork RUN_DIR\n"
                         "       fluffo-artwork --preview FILE"
                         " [--scene all|game|arrows|gates|manual|windows|backdrop|icons]"
                         " [--from PICTURE] [--zoom N] [--crop L,T,W,H]\n");
            return 2;
        }
        write_run_folder(args[0]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fluffo-artwork: %s\n", e.what());
        return 1;
    }
    return 0;
}
