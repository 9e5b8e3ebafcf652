#pragma once
// The whole memory of the handheld: mode, board with its move tables, Fluffo, the wolves,
// the numbers and the held-button latches, and the words for them (directions, modes, egg
// and wolf states). Plain data, zero at creation; the engine's operations change it and the
// display only reads positions and numbers from it. Every enum keeps the number the headless
// driver reads and reports.

#include <array>
#include <cstdint>

namespace fluffo {

// One direction is one bit, so that the ways out of a cell fit in one byte. The numbers are
// those the headless driver reads and reports; None is a standing Fluffo or a waiting wolf.
enum class Dir : uint8_t { None = 0, Up = 1, Left = 2, Right = 4, Down = 8 };

// The four ways, in the order of their bits: a drawn number 0..3 picks one.
inline constexpr std::array<Dir, 4> All_Dirs = {Dir::Up, Dir::Left, Dir::Right, Dir::Down};

// A set of directions is the sum of their bits, as the move tables are written down.
using DirSet = uint8_t;

constexpr DirSet bit(Dir d) {
    return static_cast<DirSet>(d);
}
constexpr bool has(DirSet set, Dir d) {
    return (set & bit(d)) != 0;
}
// Straight back; None has no opposite.
constexpr Dir opposite(Dir d) {
    switch (d) {
        case Dir::Up:
            return Dir::Down;
        case Dir::Down:
            return Dir::Up;
        case Dir::Left:
            return Dir::Right;
        case Dir::Right:
            return Dir::Left;
        default:
            return Dir::None;
    }
}

// What the handheld is doing. The numbers are those the headless driver reads and reports;
// a mode set by hand may hold any other number, which no mode step acts on.
enum class Mode : int32_t {
    All_On = 0,
    Time = 1,
    Alarm = 2,
    Game_A_Intro = 3,
    Game_B_Intro = 4,
    Game_A = 5,
    Game_B = 6,
    Game_Over = 7,
};

// A wolf's state counts its time in the den, one den step after another, then says how it
// roams; it stays a number because it is counted and compared, and the driver reports it.
inline constexpr int32_t Wolf_Den_First = 0;  // just put in the den
inline constexpr int32_t Wolf_Den_Last = 9;   // its next den step brings it out
inline constexpr int32_t Wolf_Active = 10;
inline constexpr int32_t Wolf_Vulnerable = 11;

// What a visible cell still holds for Fluffo. The numbers are those the driver reads and
// reports.
enum class Egg : uint8_t {
    None = 0,       // nothing to do
    Unvisited = 1,  // Fluffo lays an egg on it at its first step there
    Power = 2,      // a power egg, eaten at the first step there
};

// Board extent: columns 0..6, rows 0..8; the visible board is columns 1..5 by rows 1..7.
inline constexpr int Board_Cols = 7;
inline constexpr int Board_Rows = 9;
inline constexpr int Visible_Cols = 5;
inline constexpr int Visible_Rows = 7;
inline constexpr int Den_Col = 3;
inline constexpr int Den_Row = 4;

struct Gam_Cell {
    Egg Egg_State = Egg::None;
    DirSet Fluffo_Dirs = 0;  // directions in which Fluffo may leave the cell
    DirSet Wolf_Dirs = 0;    // directions in which a wolf may leave the cell
};

struct Gam_Wolf {
    int32_t Col = 0;
    int32_t Row = 0;
    fluffo::Dir Dir = fluffo::Dir::None;  // the way it last went
    int32_t State = Wolf_Den_First;       // in the den up to Wolf_Den_Last, then roaming
};

struct GameState {
    Mode Gam_Mode = Mode::All_On;
    // Indexed [column][row], column-major like the handheld's own memory.
    std::array<std::array<Gam_Cell, Board_Rows>, Board_Cols> Gam_Board{};

    int32_t Gam_Fluffo_Col = 0;
    int32_t Gam_Fluffo_Row = 0;
    Dir Gam_Fluffo_Dir = Dir::None;
    std::array<Gam_Wolf, 2> Gam_Wolves{};

    int32_t Gam_Score = 0;
    int32_t Gam_HiScore_A = 0;
    int32_t Gam_HiScore_B = 0;
    int32_t Gam_Lives = 0;
    int32_t Gam_Extra_Life_At = 0;
    int32_t Gam_Wolf_Bonus = 0;
    int32_t Gam_Stage = 0;
    int32_t Gam_Gate = 0;
    int32_t Gam_Phase = 0;
    int32_t Gam_Power_Count = 0;
    int32_t Gam_Power_Length = 0;
    int32_t Gam_Wolf_Count = 0;
    int32_t Gam_Step = 0;

    bool Inp_Time_Held = false;
    bool Inp_Game_A_Held = false;
    bool Inp_Game_B_Held = false;

    Gam_Cell& cell(int col, int row) { return Gam_Board[col][row]; }
    const Gam_Cell& cell(int col, int row) const { return Gam_Board[col][row]; }
};

constexpr bool is_visible_cell(int col, int row) {
    return col >= 1 && col <= Visible_Cols && row >= 1 && row <= Visible_Rows;
}
constexpr bool is_board_cell(int col, int row) {
    return col >= 0 && col < Board_Cols && row >= 0 && row < Board_Rows;
}
constexpr bool is_den(int col, int row) {
    return col == Den_Col && row == Den_Row;
}

}  // namespace fluffo
