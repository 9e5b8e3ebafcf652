#include "input/held_keys.h"

#include <algorithm>

namespace fluffo {

std::vector<HeldKeys::Held>::iterator HeldKeys::find(uint32_t key) {
    return std::find_if(m_held.begin(), m_held.end(),
                        [key](const Held& h) { return h.key == key; });
}

KeyWindow HeldKeys::release(std::vector<Held>::iterator held) {
    const KeyWindow window = held->window;
    m_held.erase(held);
    return window;
}

KeyOutcome HeldKeys::take(const KeyStroke& stroke) {
    KeyOutcome out;
    if (m_waiting) {
        const bool pair =
            stroke.press && stroke.key == m_waiting->key && stroke.time_ms == m_waiting->time_ms;
        if (!pair) out.waited_release_to = settle();
        m_waiting.reset();
    }

    const auto held = find(stroke.key);
    if (stroke.press) {
        if (held == m_held.end()) {
            m_held.push_back({stroke.key, stroke.window});
            out.verdict = KeyVerdict::Press;
        } else {
            out.verdict = held->window == stroke.window ? KeyVerdict::Repeat : KeyVerdict::Drop;
        }
        out.to = stroke.window;
        return out;
    }

    if (stroke.marked_repeat) {
        out.verdict = KeyVerdict::Drop;  // its press follows
    } else if (held == m_held.end()) {
        // Pressed while another program had the keyboard: the release is this window's.
        out.verdict = KeyVerdict::Release;
        out.to = stroke.window;
    } else if (m_releases_may_pair) {
        m_waiting = Waiting{stroke.key, stroke.time_ms};
        out.verdict = KeyVerdict::Wait;
    } else {
        out.verdict = KeyVerdict::Release;
        out.to = release(held);
    }
    return out;
}

std::optional<KeyWindow> HeldKeys::settle() {
    if (!m_waiting) return std::nullopt;
    const auto held = find(m_waiting->key);
    m_waiting.reset();
    if (held == m_held.end()) return std::nullopt;
    return release(held);
}

std::optional<uint32_t> HeldKeys::waiting_key() const {
    if (!m_waiting) return std::nullopt;
    return m_waiting->key;
}

void HeldKeys::forget_released(const std::function<bool(uint32_t key)>& is_down) {
    std::erase_if(m_held, [&](const Held& h) {
        return !is_down(h.key) && !(m_waiting && m_waiting->key == h.key);
    });
}

bool HeldKeys::is_held(uint32_t key) const {
    return std::any_of(m_held.begin(), m_held.end(), [key](const Held& h) { return h.key == key; });
}

}  // namespace fluffo
