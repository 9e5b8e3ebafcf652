#include "input/control_holds.h"

#include <algorithm>

namespace fluffo {

void ControlHolds::press(ControlSource source, Control control) {
    std::vector<ControlSource>& holders = m_holders[control];
    if (std::find(holders.begin(), holders.end(), source) == holders.end())
        holders.push_back(source);
    apply_control(m_handheld, control, true);
}

void ControlHolds::release(ControlSource source, Control control) {
    std::vector<ControlSource>& holders = m_holders[control];
    std::erase(holders, source);
    if (holders.empty()) apply_control(m_handheld, control, false);
}

void ControlHolds::release_device(int32_t device) {
    for (Control c : All_Controls) {
        // Copied: each release changes the list.
        const std::vector<ControlSource> holders = m_holders[c];
        for (const ControlSource& s : holders) {
            if (s.device == device) release(s, c);
        }
    }
}

bool ControlHolds::held(Control control) const {
    return !m_holders[control].empty();
}

bool ControlHolds::held_by(ControlSource source, Control control) const {
    const std::vector<ControlSource>& holders = m_holders[control];
    return std::find(holders.begin(), holders.end(), source) != holders.end();
}

}  // namespace fluffo
