// The page's side of page_calls.h, written in the page's own language: each call goes to
// Module.page in page/fluffo.js.

#include "app/web/page_calls.h"

#include <emscripten.h>

#include <cstdlib>

// clang-format off
EM_JS(void, js_frame_size, (int w, int h, double cw, double ch, int full), {
    Module.page.frameSize(w, h, cw, ch, !!full);
});
EM_JS(void, js_blit, (const uint32_t* px, int fw, int x, int y, int w, int h), {
    Module.page.blit(px, fw, x, y, w, h);
});
EM_JS(void, js_menu_rows, (const char* json), { Module.page.menuRows(UTF8ToString(json)); });
EM_JS(void, js_cursor, (int shape), { Module.page.cursor(shape); });
EM_JS(void, js_manual_frame, (const uint32_t* px, int w, int h, double cw, double ch), {
    Module.page.manualFrame(px, w, h, cw, ch);
});
EM_JS(void, js_window_cursor, (const char* n, int shape), {
    Module.page.windowCursor(UTF8ToString(n), shape);
});
EM_JS(void, js_aim, (double delay), { Module.page.aim(delay); });
EM_JS(double, js_now_ms, (), { return performance.now(); });
EM_JS(void, js_set_shown, (int shown), { Module.page.setShown(!!shown); });
EM_JS(void, js_set_title, (const char* t), { document.title = UTF8ToString(t); });
EM_JS(int, js_screen_width, (), { return Module.page.screenWidth(); });
EM_JS(int, js_screen_height, (), { return Module.page.screenHeight(); });
EM_JS(int, js_viewport_width, (), { return window.innerWidth; });
EM_JS(int, js_viewport_height, (), { return window.innerHeight; });
EM_JS(double, js_device_pixel_ratio, (), { return window.devicePixelRatio || 1; });
EM_JS(void, js_show_error, (const char* t), { Module.page.showError(UTF8ToString(t)); });
EM_JS(void, js_open_document, (const char* f), { Module.page.openDocument(UTF8ToString(f)); });
EM_JS(void, js_open_address, (const char* a), { Module.page.openAddress(UTF8ToString(a)); });
EM_JS(void, js_beep, (), { Module.page.beep(); });
EM_JS(void, js_switched_off, (), { Module.page.switchedOff(); });
EM_JS(void, js_show_window, (const char* n, const char* j), {
    Module.page.showWindow(UTF8ToString(n), JSON.parse(UTF8ToString(j)));
});
EM_JS(void, js_hide_window, (const char* n), { Module.page.hideWindow(UTF8ToString(n)); });
EM_JS(char*, js_storage_get, (const char* n), {
    const v = Module.page.storageGet(UTF8ToString(n));
    if (v === null || v === undefined) return 0;
    const size = lengthBytesUTF8(v) + 1;
    const out = _malloc(size);
    stringToUTF8(v, out, size);
    return out;
});
EM_JS(int, js_storage_set, (const char* n, const char* t), {
    return Module.page.storageSet(UTF8ToString(n), UTF8ToString(t)) ? 1 : 0;
});
EM_JS(void, js_storage_remove, (const char* n), { Module.page.storageRemove(UTF8ToString(n)); });
EM_JS(char*, js_storage_names, (), {
    const v = Module.page.storageNames().join("\n");
    const size = lengthBytesUTF8(v) + 1;
    const out = _malloc(size);
    stringToUTF8(v, out, size);
    return out;
});
EM_JS(int, js_audio_open, (), { return Module.page.audioOpen() ? 1 : 0; });
EM_JS(int, js_audio_load, (const char* f), { return Module.page.audioLoad(UTF8ToString(f)); });
EM_JS(void, js_audio_play, (int h), { Module.page.audioPlay(h); });
EM_JS(void, js_audio_stop_all, (), { Module.page.audioStopAll(); });
// clang-format on

namespace fluffo::page {

namespace {

std::string taken(char* text) {
    std::string out(text);
    std::free(text);
    return out;
}

}  // namespace

void frame_size(int32_t fw, int32_t fh, double cw, double ch, bool fullscreen) {
    js_frame_size(fw, fh, cw, ch, fullscreen);
}
void blit(const uint32_t* px, int32_t fw, int32_t x, int32_t y, int32_t w, int32_t h) {
    js_blit(px, fw, x, y, w, h);
}
void menu_rows(const std::string& json) {
    js_menu_rows(json.c_str());
}
void cursor(int32_t shape) {
    js_cursor(shape);
}
void manual_frame(const uint32_t* px, int32_t w, int32_t h, double cw, double ch) {
    js_manual_frame(px, w, h, cw, ch);
}
void window_cursor(const std::string& n, int32_t shape) {
    js_window_cursor(n.c_str(), shape);
}
void aim(double delay_ms) {
    js_aim(delay_ms);
}
double now_ms() {
    return js_now_ms();
}
void set_shown(bool shown) {
    js_set_shown(shown);
}
void set_title(const std::string& title) {
    js_set_title(title.c_str());
}
int32_t screen_width() {
    return js_screen_width();
}
int32_t screen_height() {
    return js_screen_height();
}
int32_t viewport_width() {
    return js_viewport_width();
}
int32_t viewport_height() {
    return js_viewport_height();
}
double device_pixel_ratio() {
    return js_device_pixel_ratio();
}
void show_error(const std::string& text) {
    js_show_error(text.c_str());
}
void open_document(const std::string& f) {
    js_open_document(f.c_str());
}
void open_address(const std::string& a) {
    js_open_address(a.c_str());
}
void beep() {
    js_beep();
}
void switched_off() {
    js_switched_off();
}
void show_window(const std::string& n, const std::string& j) {
    js_show_window(n.c_str(), j.c_str());
}
void hide_window(const std::string& n) {
    js_hide_window(n.c_str());
}
std::optional<std::string> storage_get(const std::string& name) {
    char* v = js_storage_get(name.c_str());
    if (!v) return std::nullopt;
    return taken(v);
}
bool storage_set(const std::string& n, const std::string& t) {
    return js_storage_set(n.c_str(), t.c_str()) != 0;
}
void storage_remove(const std::string& n) {
    js_storage_remove(n.c_str());
}
std::string storage_names() {
    return taken(js_storage_names());
}
bool audio_open() {
    return js_audio_open() != 0;
}
int32_t audio_load(const std::string& f) {
    return js_audio_load(f.c_str());
}
void audio_play(int32_t h) {
    js_audio_play(h);
}
void audio_stop_all() {
    js_audio_stop_all();
}

}  // namespace fluffo::page
