#include "engine/play_recorder.h"

#include <cstdio>

#include "engine/state_report.h"

namespace fluffo {

PlayRecorder::PlayRecorder(std::ostream& out, const GameState& state, const Scheduler& scheduler,
                           const RecordingStart& start)
    : m_out(out), m_state(state), m_scheduler(scheduler) {
    char clock[8];
    std::snprintf(clock, sizeof clock, "%02d:%02d", static_cast<int>(start.clock.hour % 24),
                  static_cast<int>(start.clock.minute % 60));
    m_out << "# " << start.program << ", recorded " << start.date << "\n"
          << "# Replay: fluffo-sim < this-file (every expect must hold)\n"
          // The driver reads a seed as a signed 32-bit number with the same bits.
          << "seed " << static_cast<int32_t>(start.seed) << "\n"
          << "clock " << clock << "\n"
          << "set hiscore_a " << state.Gam_HiScore_A << "\n"
          << "set hiscore_b " << state.Gam_HiScore_B << "\n";
    m_out.flush();
}

std::ostream& PlayRecorder::line() {
    const int64_t now = m_scheduler.now();
    if (now > m_written_ms) {
        m_out << "wait " << (now - m_written_ms) << "\n";
        m_written_ms = now;
    }
    return m_out;
}

void PlayRecorder::expect(const char* key) {
    for (const StateMember& m : state_members(m_state, m_scheduler)) {
        if (m.key == key) line() << "expect " << key << " " << m.json << "\n";
    }
}

void PlayRecorder::control_applied(Control control, bool pressed) {
    if (m_finished) return;
    line() << (pressed ? "press " : "release ") << control_name(control) << "\n";
}

void PlayRecorder::mode_entered(Mode mode) {
    if (m_finished) return;
    if (mode == Mode::All_On) line() << "play\n";
    if (mode != Mode::Game_Over) return;
    line() << "# a game's end\n";
    for (const char* key : {"score", "lives", "stage", "mode"})
        expect(key);
    m_out.flush();
}

void PlayRecorder::high_scores_reset() {
    if (m_finished) return;
    line() << "set hiscore_a " << m_state.Gam_HiScore_A << "\n"
           << "set hiscore_b " << m_state.Gam_HiScore_B << "\n";
}

void PlayRecorder::finish() {
    if (m_finished) return;
    m_finished = true;
    line() << "# the recording's end\n";
    for (const StateMember& m : state_members(m_state, m_scheduler))
        m_out << "expect " << m.key << " " << m.json << "\n";
    m_out << "state\n" << State_Note << state_json(m_state, m_scheduler) << "\n";
    m_out.flush();
}

}  // namespace fluffo
