// The page's WebAssembly program: what page/fluffo.js calls. The page first hands over the
// pictures the browser decoded (fluffo_keep_picture) and writes every other data file into
// the program's file system, then starts the handheld (fluffo_start). Strings returned are
// the program's own and good until the next call.

#include <emscripten.h>

#include <memory>
#include <string>

#include "app/web/web_keys.h"
#include "app/web/web_page.h"

namespace {

using namespace fluffo;

struct Site {
    BrowserPictures pictures;
    PageAudio audio;
    PageStorage storage;
    std::unique_ptr<WebPage> page;
    PadTracker pads{[this](const PadPress& press) {
        if (page) page->pad_press(press);
    }};
    std::string answer;
};

Site& site() {
    static Site s;
    return s;
}

const char* answered(std::string text) {
    site().answer = std::move(text);
    return site().answer.c_str();
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void fluffo_keep_picture(const char* path, int32_t width, int32_t height,
                                              const uint32_t* pixels, int32_t opaque) {
    Picture p;
    p.width = width;
    p.height = height;
    p.pixels.assign(pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height));
    p.transparency = opaque ? Transparency::None : Transparency::Alpha;
    site().pictures.keep(path, std::move(p));
}

// with_start_screen 0: a restart, the handheld shown at once. seed < 0: from the clock.
EMSCRIPTEN_KEEPALIVE void fluffo_start(int32_t with_start_screen, int32_t virtual_time, double seed,
                                       int32_t memory_store) {
    Site& s = site();
    s.page.reset();
    PageStart start;
    start.virtual_time = virtual_time != 0;
    if (seed >= 0) start.seed = static_cast<uint64_t>(seed);
    start.memory_store = memory_store != 0;
    s.page = std::make_unique<WebPage>(s.pictures, s.audio, s.storage, start);
    s.page->start(with_start_screen != 0);
}

EMSCRIPTEN_KEEPALIVE void fluffo_timer() {
    if (site().page) site().page->timer();
}

EMSCRIPTEN_KEEPALIVE void fluffo_key(const char* code, const char* key, int32_t down,
                                     int32_t modifiers) {
    if (!site().page) return;
    site().page->key(virtual_key_of_code(code), down != 0, static_cast<KeyModifiers>(modifiers),
                     key);
}

EMSCRIPTEN_KEEPALIVE void fluffo_pointer(int32_t kind, double x, double y, int32_t button) {
    if (site().page) site().page->pointer(kind, x, y, button);
}

EMSCRIPTEN_KEEPALIVE const char* fluffo_open_menu() {
    return answered(site().page ? site().page->open_menu() : "{}");
}

EMSCRIPTEN_KEEPALIVE void fluffo_menu_command(int32_t entry) {
    if (site().page) site().page->menu_command(entry);
}

EMSCRIPTEN_KEEPALIVE void fluffo_set_zoom(int32_t percent) {
    if (site().page) site().page->set_zoom(percent);
}

EMSCRIPTEN_KEEPALIVE double fluffo_zoom() {
    return site().page ? site().page->zoom() : 1.0;
}

EMSCRIPTEN_KEEPALIVE void fluffo_viewport_changed() {
    if (site().page) site().page->viewport_changed();
}

EMSCRIPTEN_KEEPALIVE void fluffo_fullscreen_left() {
    if (site().page) site().page->fullscreen_left();
}

EMSCRIPTEN_KEEPALIVE int32_t fluffo_start_screen_key(const char* code) {
    WebPage* page = site().page.get();
    return page && page->start_screen_key(virtual_key_of_code(code)) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void fluffo_start_screen(int32_t what, int32_t value) {
    WebPage* page = site().page.get();
    if (!page) return;
    if (what == 0) page->start_screen_sound(value);
    if (what == 1) page->start_screen_splash(value != 0);
    if (what == 2) page->start_screen_play();
    if (what == 3) page->start_screen_link(value);
}

EMSCRIPTEN_KEEPALIVE void fluffo_pad_button(int32_t pad, int32_t button, int32_t down) {
    if (button < 0 || button >= Pad_Button_Count) return;
    site().pads.button(pad, static_cast<PadButton>(button), down != 0);
}

EMSCRIPTEN_KEEPALIVE void fluffo_pad_stick(int32_t pad, int32_t x, int32_t y) {
    site().pads.stick(pad, x, y);
}

EMSCRIPTEN_KEEPALIVE void fluffo_pad_removed(int32_t pad) {
    site().pads.removed(pad);
}

EMSCRIPTEN_KEEPALIVE int32_t fluffo_window_key(const char* name, const char* code, int32_t down) {
    WebPage* page = site().page.get();
    return page && page->window_key(name, virtual_key_of_code(code), down != 0) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void fluffo_about_link(int32_t link) {
    if (site().page) site().page->about_link(link);
}

EMSCRIPTEN_KEEPALIVE void fluffo_manual_pointer(int32_t kind, double x, double y, int32_t button) {
    if (site().page) site().page->manual_pointer(kind, x, y, button);
}

EMSCRIPTEN_KEEPALIVE void fluffo_keys_select(int32_t n, int32_t item) {
    if (site().page) site().page->keys_select(n, item);
}

EMSCRIPTEN_KEEPALIVE void fluffo_keys_accept() {
    if (site().page) site().page->keys_accept();
}

// The answers, one JSON text a line.
EMSCRIPTEN_KEEPALIVE const char* fluffo_script(const char* text) {
    if (!site().page) return answered("");
    std::string out;
    for (const std::string& a : site().page->script(text))
        out += a + "\n";
    return answered(std::move(out));
}

EMSCRIPTEN_KEEPALIVE const char* fluffo_state() {
    return answered(site().page ? site().page->state() : "{}");
}

EMSCRIPTEN_KEEPALIVE void fluffo_follow_real_time() {
    if (site().page) site().page->follow_real_time();
}

}  // extern "C"
