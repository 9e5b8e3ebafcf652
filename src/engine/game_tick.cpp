// The game tick: four phases, Fluffo stepping in the odd ones and the wolves acting in the
// even ones; a new gate pattern after every fourth tick. A catch ends the tick at once. Each
// step of a phase says what came of it, and the phase says how it ended.
#include <algorithm>
#include <optional>

#include "engine/board.h"
#include "engine/handheld.h"
#include "engine/sequence_delays.h"

namespace fluffo {

namespace {

// What Fluffo scores. A power egg sets the wolf bonus to the first wolf's points; every wolf
// eaten brings the bonus and raises it to the next wolf's.
constexpr int32_t Points_Egg = 10;
constexpr int32_t Points_Power_Egg = 50;
constexpr int32_t Points_First_Wolf = 200;
constexpr int32_t Points_Next_Wolf = 400;

// Beyond any score: the one extra life of a game has been given.
constexpr int32_t Extra_Life_Given = 999999;

// The last of the tick's four phases: the gates change after it, and vulnerable wolves show
// and move in it only, so that they blink and go at half pace.
constexpr int32_t Last_Phase = 4;

bool at(const Gam_Wolf& w, Cell c) {
    return w.Col == c.col && w.Row == c.row;
}

// The way from a cell to one beside it; None when the two are not side by side.
Dir way_between(Cell from, Cell to) {
    const int32_t cols = to.col - from.col;
    const int32_t rows = to.row - from.row;
    if (cols == 0 && rows == -1) return Dir::Up;
    if (cols == -1 && rows == 0) return Dir::Left;
    if (cols == 1 && rows == 0) return Dir::Right;
    if (cols == 0 && rows == 1) return Dir::Down;
    return Dir::None;
}

// The steps of the phases that only read and move the state.

// Where Fluffo's heading takes it this step; none when it stands, or when the way ahead is
// shut, which stops it.
std::optional<Cell> fluffo_next_cell(GameState& s) {
    if (s.Gam_Fluffo_Dir == Dir::None) return std::nullopt;
    const Cell from{s.Gam_Fluffo_Col, s.Gam_Fluffo_Row};
    if (!has(s.cell(from.col, from.row).Fluffo_Dirs, s.Gam_Fluffo_Dir)) {
        s.Gam_Fluffo_Dir = Dir::None;
        return std::nullopt;
    }
    return fluffo_step(from, s.Gam_Fluffo_Dir);
}

bool roaming_wolf_at(std::span<const Gam_Wolf> wolves, Cell c) {
    return std::any_of(wolves.begin(), wolves.end(),
                       [&](const Gam_Wolf& w) { return w.State == Wolf_Active && at(w, c); });
}

// A roaming wolf catches Fluffo on a cell beside it that its own cell opens onto. It steps
// onto Fluffo's cell, but not leftwards: then Fluffo is left beside it.
bool roaming_wolf_catches(const GameState& s, Gam_Wolf& w, Cell fluffo) {
    const Dir way = way_between({w.Col, w.Row}, fluffo);
    if (!has(s.cell(w.Col, w.Row).Wolf_Dirs, way)) return false;
    if (way != Dir::Left) {
        w.Col = fluffo.col;
        w.Row = fluffo.row;
    }
    return true;
}

// Shown and moving in this phase.
bool in_sight(const Gam_Wolf& w, int32_t phase) {
    return w.State == Wolf_Active || (w.State == Wolf_Vulnerable && phase == Last_Phase);
}

}  // namespace

void Handheld::Timer_GameTimer() {
    const bool fluffos_turn = state.Gam_Phase % 2 != 0;
    const PhaseEnd end = fluffos_turn ? fluffo_phase() : wolves_phase();
    if (end == PhaseEnd::Caught) return;  // the miss has begun: no gate change, no next phase
    if (state.Gam_Phase == Last_Phase) {
        state.Gam_Gate = 1 + m_ports.random.next_below(Gate_Patterns);
        Gam_Set_Gate();
    }
    if (++state.Gam_Phase > Last_Phase) state.Gam_Phase = 1;
}

// Fluffo's phase.

Handheld::PhaseEnd Handheld::fluffo_phase() {
    const std::optional<Cell> to = fluffo_next_cell(state);
    if (!to) return PhaseEnd::Done;
    if (roaming_wolf_at(wolves_in_play(), *to)) {
        fluffo_walks_into_wolf(*to);
        return PhaseEnd::Caught;
    }
    int32_t gained = eat_vulnerable_wolves_at(*to);
    state.Gam_Fluffo_Col = to->col;
    state.Gam_Fluffo_Row = to->row;
    gained += take_egg_at(*to);
    score_fluffo_step(gained);
    const bool cleared = board_clear();
    if (cleared) start_stage_complete();
    redraw_fluffo();
    return cleared ? PhaseEnd::Cleared : PhaseEnd::Done;
}

void Handheld::fluffo_walks_into_wolf(Cell to) {
    // Walking right into a wolf leaves Fluffo beside it; otherwise it ends on its cell.
    if (!(state.Gam_Fluffo_Dir == Dir::Right && to.col >= 2)) state.Gam_Fluffo_Col = to.col;
    state.Gam_Fluffo_Row = to.row;
    start_miss();
    redraw_fluffo();
}

int32_t Handheld::eat_vulnerable_wolves_at(Cell c) {
    int32_t points = 0;
    for (Gam_Wolf& w : wolves_in_play()) {
        if (w.State != Wolf_Vulnerable || !at(w, c)) continue;
        points += eat_wolf(w);
        end_power_if_none_vulnerable();
    }
    return points;
}

int32_t Handheld::take_egg_at(Cell c) {
    Gam_Cell& here = state.cell(c.col, c.row);
    const Egg egg = here.Egg_State;
    if (egg != Egg::Unvisited && egg != Egg::Power) return 0;
    here.Egg_State = Egg::None;
    // Fluffo lays its egg on an unvisited cell; a power egg is eaten, leaving the cell empty.
    const bool laid = egg == Egg::Unvisited;
    m_lcd.show(Figure::Egg, c.col, c.row, laid);
    if (laid) return Points_Egg;
    start_power_mode();
    return Points_Power_Egg;
}

// The next wolf eaten brings the first wolf's points, and the roaming wolves turn vulnerable.
void Handheld::start_power_mode() {
    state.Gam_Wolf_Bonus = Points_First_Wolf;
    bool any = false;
    for (Gam_Wolf& w : wolves_in_play()) {
        if (w.State != Wolf_Active) continue;
        w.State = Wolf_Vulnerable;
        any = true;
    }
    if (any) state.Gam_Power_Count = 1;
    // A second power egg with a wolf still roaming starts power mode over.
    if (state.Gam_Power_Count == 1) arm(TimerId::Timer_Power_Pill, At_Once_ms);
}

void Handheld::score_fluffo_step(int32_t gained) {
    if (gained > 0) {
        state.Gam_Score += gained;
        m_lcd.Vid_Show_Panel_Score(state.Gam_Score, true);
    }
    // An egg alone sounds Move, though not in power mode; a wolf eaten or an extra life, Bonus.
    const bool egg_alone = gained == Points_Egg || gained == Points_Power_Egg;
    const bool extra_life = extra_life_if_due();
    if (extra_life || gained > Points_Power_Egg) {
        m_ports.sound.Snd_Play(Sample::Bonus);
    } else if (egg_alone && state.Gam_Power_Count == 0) {
        m_ports.sound.Snd_Play(Sample::Move);
    }
}

void Handheld::redraw_fluffo() {
    m_lcd.Vid_Show_All_Fluffo(false);
    Vid_Show_Fluffo(true);
}

// The wolves' phase.

Handheld::PhaseEnd Handheld::wolves_phase() {
    const Cell fluffo{state.Gam_Fluffo_Col, state.Gam_Fluffo_Row};
    const bool caught = wolves_catch(fluffo);
    if (!caught) {
        for (Gam_Wolf& w : wolves_in_play()) {
            if (in_sight(w, state.Gam_Phase)) move_wolf(w);
        }
        den_step();
    }
    redraw_wolves();
    if (caught) {
        start_miss();
        return PhaseEnd::Caught;
    }
    if (state.Gam_Phase == Last_Phase) eat_vulnerable_wolves_on(fluffo);
    return PhaseEnd::Done;
}

bool Handheld::wolves_catch(Cell fluffo) {
    bool caught = false;  // every wolf that can catches, so both may step
    for (Gam_Wolf& w : wolves_in_play()) {
        if (w.State == Wolf_Active) {
            if (roaming_wolf_catches(state, w, fluffo)) caught = true;
        } else if (w.State == Wolf_Den_Last && fluffo == Den_Door) {
            // Fluffo at the den door just as the wolf comes out.
            wolf_leaves_den(w);
            caught = true;
        }
    }
    return caught;
}

void Handheld::eat_vulnerable_wolves_on(Cell fluffo) {
    for (Gam_Wolf& w : wolves_in_play()) {
        if (w.State != Wolf_Vulnerable || !at(w, fluffo)) continue;
        state.Gam_Score += eat_wolf(w);
        m_lcd.Vid_Show_Panel_Score(state.Gam_Score, true);
        extra_life_if_due();
        end_power_if_none_vulnerable();
        m_ports.sound.Snd_Play(Sample::Bonus);
    }
}

void Handheld::move_wolf(Gam_Wolf& w) {
    const DirSet open = state.cell(w.Col, w.Row).Wolf_Dirs;
    if (!has(open, w.Dir)) w.Dir = Dir::None;
    // Never straight back unless the way on is shut.
    DirSet acceptable = 0;
    for (Dir d : All_Dirs) {
        if (has(open, d) && d != opposite(w.Dir)) acceptable |= bit(d);
    }
    if (acceptable == 0) {
        w.Dir = Dir::None;  // a dead end only a hand-placed wolf can be in: it waits
        return;
    }
    Dir d = Dir::None;
    do {
        d = All_Dirs[static_cast<size_t>(m_ports.random.next_below(4))];
    } while (!has(acceptable, d));
    w.Dir = d;
    const Cell to = plain_step({w.Col, w.Row}, d);
    w.Col = to.col;
    w.Row = to.row;
}

void Handheld::den_step() {
    Gam_Wolf* next = nullptr;  // the wolf furthest along in the den; the first on a tie
    for (Gam_Wolf& w : wolves_in_play()) {
        if (w.State < Wolf_Active && (!next || w.State > next->State)) next = &w;
    }
    if (!next) return;
    next->State += 1;
    if (next->State == Wolf_Active) {
        wolf_leaves_den(*next);
        next->Dir = m_ports.random.next_below(2) == 0 ? Dir::Left : Dir::Right;
    } else {
        show_den_wolf(next->State);
    }
}

void Handheld::wolf_leaves_den(Gam_Wolf& w) {
    w.State = Wolf_Active;
    w.Col = Den_Door.col;
    w.Row = Den_Door.row;
    m_lcd.show(Figure::Wolf, Den_Col, Den_Row, false);
}

void Handheld::show_den_wolf(int32_t den_state) {
    // Pacing in the den from its second step on, in two pictures by turns; still at the last.
    if (den_state < 2 || den_state > Wolf_Den_Last) return;
    const bool second_picture = den_state % 2 != 0 && den_state != Wolf_Den_Last;
    m_lcd.show(Figure::Wolf, Den_Col, Den_Row, !second_picture);
    m_lcd.show(Mark::Den_Wolf_Pacing, second_picture);
}

void Handheld::redraw_wolves() {
    for (int col = 1; col <= Visible_Cols; ++col) {
        for (int row = 1; row <= Visible_Rows; ++row) {
            if (!is_den(col, row)) m_lcd.show(Figure::Wolf, col, row, false);
        }
    }
    for (const Gam_Wolf& w : wolves_in_play()) {
        if (in_sight(w, state.Gam_Phase)) m_lcd.show(Figure::Wolf, w.Col, w.Row, true);
    }
}

// What both phases share.

void Handheld::end_power_if_none_vulnerable() {
    const auto wolves = wolves_in_play();
    if (std::any_of(wolves.begin(), wolves.end(),
                    [](const Gam_Wolf& w) { return w.State == Wolf_Vulnerable; })) {
        return;
    }
    state.Gam_Power_Count = 0;
    disable(TimerId::Timer_Power_Pill);
}

bool Handheld::extra_life_if_due() {
    if (state.Gam_Score < state.Gam_Extra_Life_At) return false;
    state.Gam_Lives += 1;
    m_lcd.Vid_Show_Panel_Lives(state.Gam_Lives);
    state.Gam_Extra_Life_At = Extra_Life_Given;
    return true;
}

int32_t Handheld::eat_wolf(Gam_Wolf& w) {
    const int32_t points = state.Gam_Wolf_Bonus;
    state.Gam_Wolf_Bonus = Points_Next_Wolf;
    m_lcd.show(Figure::Wolf, w.Col, w.Row, false);
    w.State = Wolf_Den_First;  // back in the den
    return points;
}

void Handheld::start_miss() {
    Gam_Stop_All_Timers();
    state.Gam_Step = 1;
    arm(TimerId::Timer_Miss, Miss_Pause_ms);
}

void Handheld::start_stage_complete() {
    Gam_Stop_All_Timers();
    state.Gam_Step = 1;
    arm(TimerId::Timer_Stage_Complete, Stage_Complete_Pause_ms);
}

bool Handheld::board_clear() const {
    for (int col = 1; col <= Visible_Cols; ++col) {
        for (int row = 1; row <= Visible_Rows; ++row) {
            if (state.cell(col, row).Egg_State != Egg::None) return false;
        }
    }
    return true;
}

}  // namespace fluffo
