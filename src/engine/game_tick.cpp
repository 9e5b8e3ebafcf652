// The game tick: four phases, Fluffo stepping in the odd ones and the wolves acting in the
// even ones; a new gate pattern after every fourth tick. A catch ends the tick at once.
#include "engine/board.h"
#include "engine/handheld.h"

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

}  // namespace

void Handheld::Timer_GameTimer() {
    bool caught = false;
    if (state.Gam_Phase % 2 != 0) {
        fluffo_phase(caught);
    } else {
        wolves_phase(caught);
    }
    if (caught) return;
    if (state.Gam_Phase == 4) {
        state.Gam_Gate = 1 + m_ports.random.next_below(5);
        Gam_Set_Gate();
    }
    if (++state.Gam_Phase > 4) state.Gam_Phase = 1;
}

void Handheld::end_power_if_none_vulnerable() {
    for (int i = 0; i < 2; ++i) {
        if (wolf_in_play(i) && state.Gam_Wolves[i].State == Wolf_Vulnerable) return;
    }
    state.Gam_Power_Count = 0;
    disable(TimerId::Timer_Power_Pill);
}

bool Handheld::extra_life_if_due() {
    if (state.Gam_Score < state.Gam_Extra_Life_At) return false;
    state.Gam_Lives += 1;
    m_screen.Vid_Show_Panel_Lives(state.Gam_Lives);
    state.Gam_Extra_Life_At = Extra_Life_Given;
    return true;
}

int32_t Handheld::eat_wolf(Gam_Wolf& w) {
    const int32_t points = state.Gam_Wolf_Bonus;
    state.Gam_Wolf_Bonus = Points_Next_Wolf;
    m_screen.show(MainScreen::cell(m_screen.Vid_Wolf_Images, w.Col, w.Row), false);
    w.State = Wolf_Den_First;  // back in the den
    return points;
}

void Handheld::start_miss() {
    Gam_Stop_All_Timers();
    state.Gam_Step = 1;
    arm(TimerId::Timer_Miss, 100);
}

bool Handheld::board_clear() const {
    for (int col = 1; col <= 5; ++col) {
        for (int row = 1; row <= 7; ++row) {
            if (state.cell(col, row).Egg_State != Egg::None) return false;
        }
    }
    return true;
}

void Handheld::fluffo_phase(bool& caught) {
    Dir& dir = state.Gam_Fluffo_Dir;
    if (dir == Dir::None) return;
    const Cell from{state.Gam_Fluffo_Col, state.Gam_Fluffo_Row};
    if (!has(state.cell(from.col, from.row).Fluffo_Dirs, dir)) {
        dir = Dir::None;  // the way ahead is shut: Fluffo stops
        return;
    }
    const Cell to = fluffo_step(from, dir);

    for (int i = 0; i < 2; ++i) {
        const Gam_Wolf& w = state.Gam_Wolves[i];
        if (wolf_in_play(i) && w.State == Wolf_Active && w.Col == to.col && w.Row == to.row) {
            caught = true;
        }
    }
    if (caught) {
        // Walking right into a wolf leaves Fluffo beside it; otherwise it ends on its cell.
        if (!(dir == Dir::Right && to.col >= 2)) state.Gam_Fluffo_Col = to.col;
        state.Gam_Fluffo_Row = to.row;
        start_miss();
        m_screen.Vid_Show_All_Fluffo(false);
        Vid_Show_Fluffo(true);
        return;
    }

    int32_t gained = 0;
    for (int i = 0; i < 2; ++i) {
        Gam_Wolf& w = state.Gam_Wolves[i];
        if (!wolf_in_play(i) || w.State != Wolf_Vulnerable || w.Col != to.col || w.Row != to.row) {
            continue;
        }
        gained += eat_wolf(w);
        end_power_if_none_vulnerable();
    }
    state.Gam_Fluffo_Col = to.col;
    state.Gam_Fluffo_Row = to.row;

    Gam_Cell& here = state.cell(to.col, to.row);
    if (here.Egg_State == Egg::Unvisited) {
        here.Egg_State = Egg::None;
        m_screen.show(MainScreen::cell(m_screen.Vid_Egg_Images, to.col, to.row), true);
        gained += Points_Egg;
    } else if (here.Egg_State == Egg::Power) {
        here.Egg_State = Egg::None;
        m_screen.show(MainScreen::cell(m_screen.Vid_Egg_Images, to.col, to.row), false);
        gained += Points_Power_Egg;
        state.Gam_Wolf_Bonus = Points_First_Wolf;
        bool any = false;
        for (int i = 0; i < 2; ++i) {
            Gam_Wolf& w = state.Gam_Wolves[i];
            if (wolf_in_play(i) && w.State == Wolf_Active) {
                w.State = Wolf_Vulnerable;
                any = true;
            }
        }
        if (any) state.Gam_Power_Count = 1;
        // A second power egg with a wolf still roaming starts power mode over.
        if (state.Gam_Power_Count == 1) arm(TimerId::Timer_Power_Pill, 1);
    }
    if (gained > 0) {
        state.Gam_Score += gained;
        m_screen.Vid_Show_Panel_Score(state.Gam_Score, true);
    }
    bool bonus = false;
    bool move = false;
    if ((gained == Points_Egg || gained == Points_Power_Egg) && state.Gam_Power_Count == 0) {
        move = true;
    } else if (gained > Points_Power_Egg) {
        bonus = true;
    }
    if (extra_life_if_due()) bonus = true;
    if (bonus) {
        m_ports.sound.Snd_Play(Sample::Bonus);
    } else if (move) {
        m_ports.sound.Snd_Play(Sample::Move);
    }
    if (board_clear()) {
        Gam_Stop_All_Timers();
        state.Gam_Step = 1;
        arm(TimerId::Timer_Stage_Complete, 100);
    }
    m_screen.Vid_Show_All_Fluffo(false);
    Vid_Show_Fluffo(true);
}

void Handheld::wolves_phase(bool& caught) {
    const int32_t fc = state.Gam_Fluffo_Col;
    const int32_t fr = state.Gam_Fluffo_Row;
    for (int i = 0; i < 2; ++i) {
        if (!wolf_in_play(i)) continue;
        Gam_Wolf& w = state.Gam_Wolves[i];
        if (w.State == Wolf_Active) {
            const DirSet open = state.cell(w.Col, w.Row).Wolf_Dirs;
            if (fc == w.Col && fr == w.Row - 1 && has(open, Dir::Up)) {
                caught = true;
                w.Row -= 1;
            } else if (fr == w.Row && fc == w.Col - 1 && has(open, Dir::Left)) {
                caught = true;  // the wolf stays, Fluffo beside it on its left
            } else if (fr == w.Row && fc == w.Col + 1 && has(open, Dir::Right)) {
                caught = true;
                w.Col += 1;
            } else if (fc == w.Col && fr == w.Row + 1 && has(open, Dir::Down)) {
                caught = true;
                w.Row += 1;
            }
        } else if (w.State == Wolf_Den_Last && Cell{fc, fr} == Den_Door) {
            // Fluffo at the den door just as the wolf comes out.
            caught = true;
            w.Col = Den_Door.col;
            w.Row = Den_Door.row;
            w.State = Wolf_Active;
            m_screen.show(m_screen.named().im_wolf_3_4, false);
        }
    }
    if (!caught) {
        for (int i = 0; i < 2; ++i) {
            Gam_Wolf& w = state.Gam_Wolves[i];
            if (!wolf_in_play(i)) continue;
            if (w.State == Wolf_Active || (w.State == Wolf_Vulnerable && state.Gam_Phase == 4)) {
                move_wolf(w);
            }
        }
        den_step();
    }
    redraw_wolves();
    if (caught) {
        start_miss();
        return;
    }
    for (int i = 0; i < 2; ++i) {
        Gam_Wolf& w = state.Gam_Wolves[i];
        if (!wolf_in_play(i) || w.State != Wolf_Vulnerable || state.Gam_Phase != 4 || w.Col != fc ||
            w.Row != fr) {
            continue;
        }
        state.Gam_Score += eat_wolf(w);
        m_screen.Vid_Show_Panel_Score(state.Gam_Score, true);
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
    int best = -1;
    for (int i = 0; i < 2; ++i) {
        if (!wolf_in_play(i) || state.Gam_Wolves[i].State >= Wolf_Active) continue;
        if (best < 0 || state.Gam_Wolves[i].State > state.Gam_Wolves[best].State) best = i;
    }
    if (best < 0) return;
    Gam_Wolf& w = state.Gam_Wolves[best];
    w.State += 1;
    const MainScreen::Named& n = m_screen.named();
    switch (w.State) {
        case 2:
        case 4:
        case 6:
        case 8:
        case Wolf_Den_Last:
            m_screen.show(n.im_wolf_3_4, true);
            m_screen.show(n.im_wolf_3_4b, false);
            break;
        case 3:
        case 5:
        case 7:
            m_screen.show(n.im_wolf_3_4, false);
            m_screen.show(n.im_wolf_3_4b, true);
            break;
        case Wolf_Active:
            m_screen.show(n.im_wolf_3_4, false);
            w.Col = Den_Door.col;
            w.Row = Den_Door.row;
            w.Dir = m_ports.random.next_below(2) == 0 ? Dir::Left : Dir::Right;
            break;
        default:
            break;
    }
}

void Handheld::redraw_wolves() {
    for (int col = 1; col <= 5; ++col) {
        for (int row = 1; row <= 7; ++row) {
            if (!is_den(col, row))
                m_screen.show(MainScreen::cell(m_screen.Vid_Wolf_Images, col, row), false);
        }
    }
    for (int i = 0; i < 2; ++i) {
        const Gam_Wolf& w = state.Gam_Wolves[i];
        if (!wolf_in_play(i)) continue;
        if (w.State == Wolf_Active || (w.State == Wolf_Vulnerable && state.Gam_Phase == 4)) {
            m_screen.show(MainScreen::cell(m_screen.Vid_Wolf_Images, w.Col, w.Row), true);
        }
    }
}

}  // namespace fluffo
