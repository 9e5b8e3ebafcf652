#include "input/control_holds.h"

#include <algorithm>

#include "input/input_dispatch.h"

namespace fluffo {

void ControlHolds::press(ControlSource source, int action) {
    if (!is_key_action(action)) return;
    std::vector<ControlSource>& holders = m_holders[static_cast<size_t>(action)];
    if (std::find(holders.begin(), holders.end(), source) == holders.end())
        holders.push_back(source);
    action_down(m_handheld, action);
}

void ControlHolds::release(ControlSource source, int action) {
    if (!is_key_action(action)) return;
    std::vector<ControlSource>& holders = m_holders[static_cast<size_t>(action)];
    std::erase(holders, source);
    if (holders.empty()) action_up(m_handheld, action);
}

void ControlHolds::release_device(int32_t device) {
    for (int action = Key_Game_A; action <= Key_Down; ++action) {
        // Copied: each release changes the list.
        const std::vector<ControlSource> holders = m_holders[static_cast<size_t>(action)];
        for (const ControlSource& s : holders) {
            if (s.device == device) release(s, action);
        }
    }
}

bool ControlHolds::held(int action) const {
    return is_key_action(action) && !m_holders[static_cast<size_t>(action)].empty();
}

bool ControlHolds::held_by(ControlSource source, int action) const {
    if (!is_key_action(action)) return false;
    const std::vector<ControlSource>& holders = m_holders[static_cast<size_t>(action)];
    return std::find(holders.begin(), holders.end(), source) != holders.end();
}

}  // namespace fluffo
