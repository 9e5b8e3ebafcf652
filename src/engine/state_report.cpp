#include "engine/state_report.h"

#include "base/json_writer.h"

namespace fluffo {

std::vector<StateMember> state_members(const GameState& s, const Scheduler& scheduler) {
    std::vector<StateMember> out;
    const auto add = [&](std::string_view key, const JsonWriter& w) {
        out.push_back({key, w.str()});
    };
    add("t", JsonWriter().number(scheduler.now()));
    add("mode", JsonWriter().number(static_cast<int32_t>(s.Gam_Mode)));
    for (const StateField& f : State_Fields)
        add(f.name, JsonWriter().number(s.*(f.member)));

    JsonWriter fluffo;
    fluffo.begin_array().number(s.Gam_Fluffo_Col).number(s.Gam_Fluffo_Row);
    add("fluffo", fluffo.number(bit(s.Gam_Fluffo_Dir)).end_array());

    JsonWriter wolves;
    wolves.begin_array();
    for (const Gam_Wolf& wolf : s.Gam_Wolves) {
        wolves.begin_array().number(wolf.Col).number(wolf.Row).number(bit(wolf.Dir));
        wolves.number(wolf.State).end_array();
    }
    add("wolves", wolves.end_array());

    std::string eggs;
    for (int row = 1; row <= 7; ++row) {
        for (int col = 1; col <= 5; ++col)
            eggs += static_cast<char>('0' + static_cast<int>(s.cell(col, row).Egg_State));
    }
    add("eggs", JsonWriter().string(eggs));

    JsonWriter held;
    held.begin_object().key("time").boolean(s.Inp_Time_Held);
    held.key("game_a").boolean(s.Inp_Game_A_Held).key("game_b").boolean(s.Inp_Game_B_Held);
    add("held", held.end_object());

    JsonWriter timers;
    timers.begin_object();
    for (int i = 0; i < Timer_Count; ++i) {
        const auto id = static_cast<TimerId>(i);
        if (scheduler.enabled(id)) timers.key(timer_name(id)).number(scheduler.interval(id));
    }
    add("timers", timers.end_object());
    return out;
}

std::string state_json(const GameState& s, const Scheduler& scheduler) {
    std::string out = "{";
    for (const StateMember& m : state_members(s, scheduler)) {
        if (out.size() > 1) out += ',';
        append_json_string(out, m.key);
        out += ':';
        out += m.json;
    }
    return out + "}";
}

}  // namespace fluffo
