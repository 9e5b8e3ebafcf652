#pragma once
// The handheld's state as fluffo-sim's "state" reports it: one JSON object whose members come
// in a fixed order, each member's value also to be had alone (for "expect", and for the
// recorder that writes the expectations a replay must meet).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/game_state.h"
#include "engine/scheduler.h"

namespace fluffo {

// The numbers "set" may change, in the order "state" reports them.
struct StateField {
    std::string_view name;
    int32_t GameState::*member;
};
inline constexpr std::array<StateField, 13> State_Fields = {{
    {"score", &GameState::Gam_Score},
    {"hiscore_a", &GameState::Gam_HiScore_A},
    {"hiscore_b", &GameState::Gam_HiScore_B},
    {"lives", &GameState::Gam_Lives},
    {"stage", &GameState::Gam_Stage},
    {"phase", &GameState::Gam_Phase},
    {"gate", &GameState::Gam_Gate},
    {"step", &GameState::Gam_Step},
    {"power_count", &GameState::Gam_Power_Count},
    {"power_length", &GameState::Gam_Power_Length},
    {"wolf_count", &GameState::Gam_Wolf_Count},
    {"wolf_bonus", &GameState::Gam_Wolf_Bonus},
    {"extra_life_at", &GameState::Gam_Extra_Life_At},
}};

// One member: its key and its value written as JSON, with no spaces.
struct StateMember {
    std::string_view key;
    std::string json;
};

std::vector<StateMember> state_members(const GameState& s, const Scheduler& scheduler);
// The whole object on one line.
std::string state_json(const GameState& s, const Scheduler& scheduler);

}  // namespace fluffo
