#pragma once
// What the program asks of its page (page/fluffo.js, through Module.page): the canvas, the one
// browser timer, the page's boxes and windows, local storage, Web Audio and the viewport.
// Strings go as UTF-8; a string the page returns is malloc'ed and freed by the caller here.

#include <cstdint>
#include <optional>
#include <string>

namespace fluffo::page {

// The canvas: frame_width x frame_height pixels shown at css_width x css_height.
void frame_size(int32_t frame_width, int32_t frame_height, double css_width, double css_height,
                bool fullscreen);
// Copies a rectangle of the frame (0xAABBGGRR pixels, frame_width a row) into the canvas.
void blit(const uint32_t* pixels, int32_t frame_width, int32_t left, int32_t top, int32_t width,
          int32_t height);
// The in-game menu's rows as JSON, drawn over the frame; "[]" when it is folded.
void menu_rows(const std::string& json);
void cursor(int32_t shape);
// The manual's page: its whole frame, shown at css_width x css_height.
void manual_frame(const uint32_t* pixels, int32_t width, int32_t height, double css_width,
                  double css_height);
void window_cursor(const std::string& name, int32_t shape);
// The one timer: fires fluffo_timer() after delay_ms; a negative delay stops it.
void aim(double delay_ms);
double now_ms();
void set_shown(bool shown);
void set_title(const std::string& title);

int32_t screen_width();
int32_t screen_height();
int32_t viewport_width();
int32_t viewport_height();
double device_pixel_ratio();

void show_error(const std::string& text);
void open_document(const std::string& file_name);
void open_address(const std::string& address);
void beep();
void switched_off();
// A window of the page: "start", "about", "manual", "keys", with its state as JSON.
void show_window(const std::string& name, const std::string& json);
void hide_window(const std::string& name);

std::optional<std::string> storage_get(const std::string& name);
bool storage_set(const std::string& name, const std::string& text);
void storage_remove(const std::string& name);
// The item names, one a line.
std::string storage_names();

bool audio_open();
// A handle above 0 for the sample file, decoded in the background.
int32_t audio_load(const std::string& file_name);
void audio_play(int32_t handle);
void audio_stop_all();

}  // namespace fluffo::page
