#include "display/sim_world.h"

#include "base/settings_values.h"

namespace fluffo {

SimWorld::SimWorld(uint64_t seed)
    : sound([this] { return scheduler.now(); }),
      clock([this] { return scheduler.now(); }),
      random(seed),
      handheld(screen, scheduler, HandheldPorts{sound, store, clock, random}) {
    handheld.create();
    screen.Vid_Ctrlr_Overlay = read_setting(store, Setting_CtrlrOverlay);
    screen.Vid_Display_Ctrl_Overlay();
}

}  // namespace fluffo
