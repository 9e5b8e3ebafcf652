#pragma once
// The gamepads through SDL's game controller interface: every pad in SDL's mapping database,
// and those SDL_GAMECONTROLLERCONFIG adds. SDL is never polled while nothing can have changed:
// on Linux the device folder is watched with inotify (a pad plugged in or pulled out), and
// each open pad's own event device is waited on, so an idle program with or without pads
// sleeps. Only a pad with no device to wait on (SDL's virtual pads) and the few seconds after
// the folder changed (a new node's permissions arrive after it) are polled. SDL's pads start
// at the first pump, not at construction (reading the mapping database takes some
// milliseconds). Where they cannot start there are simply no pads, and nothing is said.

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "input/pad_devices.h"

namespace fluffo {

class SdlGamepads : public PadDevices {
public:
    explicit SdlGamepads(const std::string& device_folder = "/dev/input");
    ~SdlGamepads() override;
    SdlGamepads(const SdlGamepads&) = delete;
    SdlGamepads& operator=(const SdlGamepads&) = delete;

    // Whether SDL's pads started at the first pump.
    bool started() const { return m_started; }
    size_t pad_count() const { return m_pads.size(); }

    std::vector<int> wake_fds() const override;
    bool needs_polling() const override;
    void pump(int ready_fd, PadTracker& tracker) override;

    // How long the folder's change keeps SDL polled: its own detection may lag behind (udev
    // finishing the node, or a rescan every three seconds where it has neither udev nor inotify).
    static constexpr uint64_t Settle_Ms = 4000;

private:
    struct Pad {
        SDL_GameController* controller = nullptr;
        int32_t id = 0;  // SDL's instance id, the pad's number in the tracker
        int fd = -1;     // our own reader of its event device, woken with SDL's
    };
    void open_pad(int device_index);
    void close_pad(int32_t id, PadTracker& tracker);
    void drain(int fd);
    void start();

    std::string m_device_folder;
    bool m_tried = false;
    bool m_started = false;
    int m_folder_fd = -1;
    uint64_t m_settle_until_ms = 0;
    std::vector<Pad> m_pads;
};

}  // namespace fluffo
