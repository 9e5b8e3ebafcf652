// A pointer for the desktop tests on a wlroots compositor (sway): it plugs in a virtual pointer
// and moves it, presses and releases its buttons as the commands on its command line say, each
// command one frame that the compositor has handled before the next begins; then it unplugs.
// The compositor's own cursor commands move no client's pointer, this does.
// Usage: virtual_pointer WxH COMMAND...  (WxH: the layout's size in pixels; commands:
// move-abs X Y, press BUTTON, release BUTTON, wait MS; BUTTON: left, right, middle).
// Exits 0 when every command was sent, 1 on a bad command, 2 without a compositor or protocol.
#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace {

struct Globals {
    wl_seat* seat = nullptr;
    zwlr_virtual_pointer_manager_v1* manager = nullptr;
};

void on_global(void* data, wl_registry* registry, uint32_t name, const char* interface,
               uint32_t /*version*/) {
    auto& globals = *static_cast<Globals*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && globals.seat == nullptr) {
        globals.seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
        globals.manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    }
}
void on_global_remove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener registry_listener = {on_global, on_global_remove};

uint32_t now_ms() {
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool parse_uint(const char* text, uint32_t& value) {
    char* end = nullptr;
    const unsigned long parsed = std::strtoul(text, &end, 10);
    if (end == text || *end != '\0' || parsed > 1000000) return false;
    value = static_cast<uint32_t>(parsed);
    return true;
}

bool parse_button(const std::string& name, uint32_t& code) {
    if (name == "left")
        code = BTN_LEFT;
    else if (name == "right")
        code = BTN_RIGHT;
    else if (name == "middle")
        code = BTN_MIDDLE;
    else
        return false;
    return true;
}

// One command of the command line, checked before anything is sent.
struct Step {
    enum class Kind { Move, Press, Release, Wait } kind;
    uint32_t a = 0;
    uint32_t b = 0;
};

bool parse_steps(int argc, char** argv, std::vector<Step>& steps) {
    for (int i = 2; i < argc; ++i) {
        const std::string command = argv[i];
        Step step{Step::Kind::Wait};
        const int args = command == "move-abs" ? 2 : 1;
        if (i + args >= argc) {
            std::fprintf(stderr, "virtual_pointer: %s lacks its argument\n", command.c_str());
            return false;
        }
        bool ok = false;
        if (command == "move-abs") {
            step.kind = Step::Kind::Move;
            ok = parse_uint(argv[i + 1], step.a) && parse_uint(argv[i + 2], step.b);
        } else if (command == "press" || command == "release") {
            step.kind = command == "press" ? Step::Kind::Press : Step::Kind::Release;
            ok = parse_button(argv[i + 1], step.a);
        } else if (command == "wait") {
            ok = parse_uint(argv[i + 1], step.a);
        }
        if (!ok) {
            std::fprintf(stderr, "virtual_pointer: bad command '%s'\n", command.c_str());
            return false;
        }
        steps.push_back(step);
        i += args;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<Step> steps;
    if (argc < 2 || std::sscanf(argv[1], "%ux%u", &width, &height) != 2 || width == 0 ||
        height == 0 || !parse_steps(argc, argv, steps)) {
        std::fprintf(stderr,
                     "usage: virtual_pointer WxH [move-abs X Y | press B | release B | wait MS]..."
                     " (B: left, right, middle)\n");
        return 1;
    }
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "virtual_pointer: no Wayland compositor to connect to\n");
        return 2;
    }
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, &globals);
    wl_display_roundtrip(display);
    if (globals.manager == nullptr) {
        std::fprintf(stderr, "virtual_pointer: the compositor has no virtual pointers\n");
        return 2;
    }
    zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.manager, globals.seat);
    wl_display_roundtrip(display);

    for (const Step& step : steps) {
        switch (step.kind) {
            case Step::Kind::Move:
                zwlr_virtual_pointer_v1_motion_absolute(pointer, now_ms(), step.a, step.b, width,
                                                        height);
                break;
            case Step::Kind::Press:
            case Step::Kind::Release:
                zwlr_virtual_pointer_v1_button(pointer, now_ms(), step.a,
                                               step.kind == Step::Kind::Press
                                                   ? WL_POINTER_BUTTON_STATE_PRESSED
                                                   : WL_POINTER_BUTTON_STATE_RELEASED);
                break;
            case Step::Kind::Wait:
                std::this_thread::sleep_for(std::chrono::milliseconds(step.a));
                continue;
        }
        zwlr_virtual_pointer_v1_frame(pointer);
        if (wl_display_roundtrip(display) < 0) {
            std::fprintf(stderr, "virtual_pointer: the compositor hung up\n");
            return 2;
        }
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    zwlr_virtual_pointer_manager_v1_destroy(globals.manager);
    if (globals.seat != nullptr) wl_seat_destroy(globals.seat);
    wl_registry_destroy(registry);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
