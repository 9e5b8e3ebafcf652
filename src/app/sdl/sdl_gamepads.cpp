#include "app/sdl/sdl_gamepads.h"

#include <algorithm>
#include <array>
#include <optional>

#ifdef __linux__
#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace fluffo {

namespace {

std::optional<PadButton> pad_button_of(uint8_t sdl_button) {
    switch (sdl_button) {
        case SDL_CONTROLLER_BUTTON_A:
            return PadButton::South;
        case SDL_CONTROLLER_BUTTON_B:
            return PadButton::East;
        case SDL_CONTROLLER_BUTTON_X:
            return PadButton::West;
        case SDL_CONTROLLER_BUTTON_Y:
            return PadButton::North;
        case SDL_CONTROLLER_BUTTON_BACK:
            return PadButton::Back;
        case SDL_CONTROLLER_BUTTON_START:
            return PadButton::Start;
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return PadButton::Up;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return PadButton::Down;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return PadButton::Left;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return PadButton::Right;
        default:
            return std::nullopt;
    }
}

}  // namespace

SdlGamepads::SdlGamepads(const std::string& device_folder) : m_device_folder(device_folder) {}

void SdlGamepads::start() {
    m_tried = true;
    // The buttons by their place, not by their labels: South is GAME A on every pad.
    SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
#ifdef __linux__
    // Every pad through the kernel's event devices, which can be waited on; SDL's own USB
    // drivers would need polling.
    SDL_SetHint(SDL_HINT_JOYSTICK_HIDAPI, "0");
    m_folder_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_folder_fd >= 0 &&
        inotify_add_watch(m_folder_fd, m_device_folder.c_str(),
                          IN_CREATE | IN_DELETE | IN_ATTRIB | IN_MOVED_TO | IN_MOVED_FROM) < 0) {
        // No such folder (a sandbox): pads plugged in later go unseen, as none can come.
        close(m_folder_fd);
        m_folder_fd = -1;
    }
#endif
    m_started = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    // The pads already plugged in arrive as events at the first pump.
}

SdlGamepads::~SdlGamepads() {
    for (Pad& pad : m_pads) {
#ifdef __linux__
        if (pad.fd >= 0) close(pad.fd);
#endif
        SDL_GameControllerClose(pad.controller);
    }
#ifdef __linux__
    if (m_folder_fd >= 0) close(m_folder_fd);
#endif
    if (m_started) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

std::vector<int> SdlGamepads::wake_fds() const {
    std::vector<int> fds;
    if (!m_started) return fds;
    if (m_folder_fd >= 0) fds.push_back(m_folder_fd);
    for (const Pad& pad : m_pads) {
        if (pad.fd >= 0) fds.push_back(pad.fd);
    }
    return fds;
}

bool SdlGamepads::needs_polling() const {
    if (!m_started) return false;
#ifdef __linux__
    if (SDL_GetTicks64() < m_settle_until_ms) return true;
    return std::any_of(m_pads.begin(), m_pads.end(), [](const Pad& p) { return p.fd < 0; });
#else
    return true;
#endif
}

void SdlGamepads::drain(int fd) {
#ifdef __linux__
    std::array<char, 4096> buffer{};
    for (;;) {
        const ssize_t n = read(fd, buffer.data(), buffer.size());
        if (n > 0) continue;
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
        // The device is gone (or the read failed): stop waiting on it and let SDL, polled
        // meanwhile, tell the pad's removal.
        for (Pad& pad : m_pads) {
            if (pad.fd == fd) pad.fd = -1;
        }
        if (fd == m_folder_fd) m_folder_fd = -1;
        close(fd);
        return;
    }
#else
    (void)fd;
#endif
}

void SdlGamepads::pump(int ready_fd, PadTracker& tracker) {
    if (!m_tried) start();
    if (!m_started) return;
    if (ready_fd >= 0) {
        if (ready_fd == m_folder_fd) m_settle_until_ms = SDL_GetTicks64() + Settle_Ms;
        drain(ready_fd);
    }
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
            case SDL_CONTROLLERDEVICEADDED:
                open_pad(event.cdevice.which);
                break;
            case SDL_CONTROLLERDEVICEREMOVED:
                close_pad(event.cdevice.which, tracker);
                break;
            case SDL_CONTROLLERBUTTONDOWN:
            case SDL_CONTROLLERBUTTONUP:
                if (const auto button = pad_button_of(event.cbutton.button))
                    tracker.button(event.cbutton.which, *button,
                                   event.type == SDL_CONTROLLERBUTTONDOWN);
                break;
            case SDL_CONTROLLERAXISMOTION:
                if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX ||
                    event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
                    SDL_GameController* c = SDL_GameControllerFromInstanceID(event.caxis.which);
                    if (c)
                        tracker.stick(event.caxis.which,
                                      SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX),
                                      SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY));
                }
                break;
            default:
                break;
        }
    }
}

void SdlGamepads::open_pad(int device_index) {
    SDL_GameController* controller = SDL_GameControllerOpen(device_index);
    if (!controller) return;
    const int32_t id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    const bool known =
        std::any_of(m_pads.begin(), m_pads.end(), [id](const Pad& p) { return p.id == id; });
    if (known) {
        // Opened twice (an added event for a pad taken already): SDL counts the openings.
        SDL_GameControllerClose(controller);
        return;
    }
    Pad pad{controller, id, -1};
#ifdef __linux__
    if (const char* path = SDL_GameControllerPath(controller))
        pad.fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
#endif
    m_pads.push_back(pad);
}

void SdlGamepads::close_pad(int32_t id, PadTracker& tracker) {
    const auto it =
        std::find_if(m_pads.begin(), m_pads.end(), [id](const Pad& p) { return p.id == id; });
    if (it == m_pads.end()) return;
#ifdef __linux__
    if (it->fd >= 0) close(it->fd);
#endif
    SDL_GameControllerClose(it->controller);
    m_pads.erase(it);
    tracker.removed(id);
}

}  // namespace fluffo
