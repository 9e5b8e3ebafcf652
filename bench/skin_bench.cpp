// How fast the skin loads and the window composes. Gfx_Load_Skin reads Config.ini and decodes
// all 146 pictures: from the generated skin in the run folder when it is there, and from a
// synthetic skin (every picture at its reference size, PNG and 24-bit BMP in turn) written to
// a temporary directory; the generated skin also in its 2x and 3x variants. The compositor:
// the whole 1920 x 1080 fullscreen frame, and the repaint of one game tick in the 440 x 664
// window at 100, 200 and 300 %, without and with the look at the key colour's pixels that
// tells the window when to cut its shape anew.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/headless/headless_driver.h"
#include "display/compositor.h"
#include "display/key_colour_pixels.h"
#include "display/png_writer.h"
#include "display/skin_loader.h"
#include "support/picture_bytes.h"

namespace fluffo {
namespace {

namespace fs = std::filesystem;

// A 24-bit bottom-up BMP of one colour with a magenta bottom-left corner.
void write_bmp(const fs::path& path, int32_t w, int32_t h, uint32_t colour) {
    test::BmpRecipe recipe;
    recipe.width = w;
    recipe.height = h;
    recipe.bits = 24;
    recipe.pixels.assign(static_cast<size_t>(w * h), colour);
    recipe.pixels[static_cast<size_t>((h - 1) * w)] = 0x00ff00ffu;
    const std::vector<uint8_t> bytes = test::make_bmp(recipe);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// Every skin picture at its reference size, alternately PNG with alpha and BMP.
fs::path synthetic_skin() {
    static const fs::path dir = [] {
        const fs::path d = fs::temp_directory_path() / "fluffo_bench_skin";
        fs::remove_all(d);
        fs::create_directories(d / "Skin");
        std::string ini = "[Common]\nSkinDir=Skin\n[VideoMode]\nTranspColor=$00ff00ff\n";
        for (int n = 1; n <= Skin_Image_Count; ++n) {
            const Rect& r = skin_images()[static_cast<size_t>(n - 1)].design;
            const std::string name = std::to_string(n) + (n % 2 ? ".png" : ".bmp");
            const uint32_t colour = 0x40302010u * static_cast<uint32_t>(n) | 0x80000000u;
            if (n % 2) {
                write_png((d / "Skin" / name).string(), r.width, r.height,
                          std::vector<uint32_t>(static_cast<size_t>(r.width * r.height), colour),
                          true);
            } else {
                write_bmp(d / "Skin" / name, r.width, r.height, colour);
            }
            ini += "[Image" + std::to_string(n) + "]\nFilename=" + name +
                   "\nLeft=" + std::to_string(r.left) + "\nTop=" + std::to_string(r.top) +
                   "\nWidth=" + std::to_string(r.width) + "\nHeight=" + std::to_string(r.height) +
                   "\n";
        }
        std::ofstream(d / "Config.ini", std::ios::binary) << ini;
        return d;
    }();
    return dir;
}

void load_skin_from(benchmark::State& state, const fs::path& dir, double scale = 1.0) {
    MainScreen screen;
    PlainSkinWindow window;
    DiskConfigFiles config;
    DiskPictureFiles pictures;
    SkinLoader loader(screen, window,
                      SkinSources{config, pictures, dir.string(), dir.string(), scale});
    for (auto _ : state) {
        loader.Gfx_Load_Skin();
        benchmark::ClobberMemory();
    }
    int pictures_loaded = 0;
    for (int n = 1; n <= Skin_Image_Count; ++n) {
        const HolderId id = loader.Vid_Skin_Images[static_cast<size_t>(n)];
        if (screen.model().at(id).picture) ++pictures_loaded;
    }
    state.counters["pictures"] = pictures_loaded;
}

void BM_LoadSyntheticSkin(benchmark::State& state) {
    load_skin_from(state, synthetic_skin());
}
BENCHMARK(BM_LoadSyntheticSkin)->Unit(benchmark::kMillisecond);

void BM_LoadGeneratedSkin(benchmark::State& state) {
    const fs::path run = FLUFFO_RUN_DIR;
    if (!fs::exists(run / "Config.ini")) {
        state.SkipWithError("no generated skin in the run folder");
        return;
    }
    // The argument is the scale the pictures are loaded for: 1x, 2x or 3x variants.
    load_skin_from(state, run, static_cast<double>(state.range(0)));
}
BENCHMARK(BM_LoadGeneratedSkin)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// A loaded skin in a driver, the generated one when it is there.
HeadlessDriver& driver_with_skin() {
    static HeadlessDriver* driver = [] {
        auto* d = new HeadlessDriver(2017);
        const fs::path run = FLUFFO_RUN_DIR;
        d->load_skin(fs::exists(run / "Config.ini") ? run.string() : synthetic_skin().string());
        return d;
    }();
    return *driver;
}

void BM_ComposeFullscreenFrame(benchmark::State& state) {
    HeadlessDriver& d = driver_with_skin();
    ScreenModel& model = d.world().screen.model();
    d.execute("play");
    // A screen-sized backdrop beneath the lit skin.
    const HolderId backdrop = model.require("im_backdrop");
    model.set_picture(backdrop, std::make_shared<const Picture>(Picture{
                                    1920, 1080, std::vector<uint32_t>(1920 * 1080, 0xff204060u),
                                    Transparency::None}));
    model.set_bounds(backdrop, Rect{0, 0, 1920, 1080});
    model.set_visible(backdrop, true);
    Compositor compositor;
    compositor.set_frame(1920, 1080, 0);
    for (auto _ : state) {
        compositor.compose(model, Rect{0, 0, 1920, 1080});
        benchmark::DoNotOptimize(compositor.pixels().data());
    }
    model.set_visible(backdrop, false);
}
BENCHMARK(BM_ComposeFullscreenFrame)->Unit(benchmark::kMillisecond);

// One Game B tick recomposed in the windowed frame; with the shape watched, the key colour's
// pixels are looked at again in the recomposed rectangles, as the window does at every repaint.
void compose_game_ticks(benchmark::State& state, bool watch_shape) {
    HeadlessDriver& d = driver_with_skin();
    SimWorld& world = d.world();
    world.sound.set_recording(false);
    Compositor compositor;
    constexpr uint32_t Key = 0x00ff00ffu;
    // The argument is the scale in percent: 200 draws the window at twice its size, as at a
    // 200 % zoom or on a desktop at scale factor 2 (with the 1x pictures stretched here).
    compositor.set_frame(440, 664, Key, static_cast<double>(state.range(0)) / 100);
    d.execute("mode 6");  // Game B
    d.execute("wait 3000");
    KeyColourPixels shape;
    shape.changed(compositor, Key, compositor.update(world.screen.model()));
    constexpr std::array<const char*, 4> Steer = {"up", "left", "right", "down"};
    SeededRandom chance(7);
    int64_t rects = 0;
    int64_t recuts = 0;
    for (auto _ : state) {
        // Steered at random, with a spare life after every miss, so the game goes on for ever.
        const std::string way = Steer[static_cast<size_t>(chance.next_below(4))];
        d.execute("press " + way);
        d.execute("release " + way);
        d.execute("wait 240");
        if (world.handheld.state.Gam_Lives < 2) world.handheld.state.Gam_Lives = 2;
        const std::vector<Rect> recomposed = compositor.update(world.screen.model());
        rects += static_cast<int64_t>(recomposed.size());
        if (watch_shape && shape.changed(compositor, Key, recomposed)) ++recuts;
    }
    state.counters["rects_per_tick"] =
        benchmark::Counter(static_cast<double>(rects), benchmark::Counter::kAvgIterations);
    if (watch_shape) state.counters["shape_recuts"] = static_cast<double>(recuts);
}

void BM_ComposeGameTick(benchmark::State& state) {
    compose_game_ticks(state, false);
}
BENCHMARK(BM_ComposeGameTick)->Arg(100)->Arg(200)->Arg(300)->Unit(benchmark::kMicrosecond);

void BM_ComposeGameTickWatchingTheShape(benchmark::State& state) {
    compose_game_ticks(state, true);
}
BENCHMARK(BM_ComposeGameTickWatchingTheShape)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace fluffo
