#pragma once
// What the desktop's event loop asks of the library that reads the gamepads: the descriptors
// to wait on (a pad's own device, the folder where pads appear), whether it must be polled
// meanwhile, and a pump that reads what is ready and hands each pad's buttons, stick and
// coming and going to the tracker. Waiting instead of polling costs nothing while no pad moves.

#include <vector>

#include "input/pad_input.h"

namespace fluffo {

class PadDevices {
public:
    virtual ~PadDevices() = default;
    // Readable descriptors call for pump(fd). Changes after each pump.
    virtual std::vector<int> wake_fds() const = 0;
    // While true, pump(-1) every Poll_Interval_Ms as well. Changes after each pump.
    virtual bool needs_polling() const = 0;
    virtual void pump(int ready_fd, PadTracker& tracker) = 0;

    static constexpr int Poll_Interval_Ms = 6;
};

}  // namespace fluffo
