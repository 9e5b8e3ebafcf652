#include "engine/board.h"

#include <array>
#include <cstddef>

namespace fluffo {

namespace {

// [row][column] as the tables are written down; the board itself is [column][row].
using Table = std::array<std::array<DirSet, Board_Cols>, Board_Rows>;

constexpr Table kFluffoDirs = {{
    {9, 0, 0, 9, 0, 0, 0},
    {0, 12, 6, 15, 6, 10, 0},
    {0, 13, 6, 6, 6, 11, 0},
    {0, 13, 14, 7, 14, 11, 0},
    {6, 11, 9, 0, 9, 13, 6},
    {0, 5, 15, 14, 15, 3, 0},
    {0, 12, 6, 7, 6, 10, 0},
    {0, 5, 7, 14, 7, 3, 0},
    {0, 0, 9, 9, 9, 0, 0},
}};

constexpr Table kWolfDirs = {{
    {0, 0, 0, 0, 0, 0, 0},
    {0, 12, 6, 6, 6, 10, 0},
    {0, 13, 6, 6, 6, 11, 0},
    {0, 13, 14, 6, 14, 11, 0},
    {0, 9, 9, 1, 9, 9, 0},
    {0, 5, 7, 14, 7, 3, 0},
    {0, 12, 6, 7, 6, 10, 0},
    {0, 5, 6, 6, 6, 3, 0},
    {0, 0, 0, 0, 0, 0, 0},
}};

struct Passage {
    Dir dir;
    Cell from;
    Cell to;
};

// Where Fluffo's step is not the plain one: the three bridges and the two tunnels.
constexpr std::array<Passage, 16> kPassages = {{
    {Dir::Up, {0, 0}, {3, 1}},
    {Dir::Up, {3, 3}, {0, 0}},
    {Dir::Up, {2, 7}, {2, 8}},
    {Dir::Up, {2, 8}, {2, 5}},
    {Dir::Up, {4, 7}, {4, 8}},
    {Dir::Up, {4, 8}, {4, 5}},
    {Dir::Up, {3, 0}, {3, 8}},
    {Dir::Down, {3, 1}, {0, 0}},
    {Dir::Down, {0, 0}, {3, 3}},
    {Dir::Down, {2, 5}, {2, 8}},
    {Dir::Down, {2, 8}, {2, 7}},
    {Dir::Down, {4, 5}, {4, 8}},
    {Dir::Down, {4, 8}, {4, 7}},
    {Dir::Down, {3, 8}, {3, 0}},
    {Dir::Left, {0, 4}, {6, 4}},
    {Dir::Right, {6, 4}, {0, 4}},
}};

}  // namespace

void fill_move_tables(GameState& state) {
    for (int col = 0; col < Board_Cols; ++col) {
        for (int row = 0; row < Board_Rows; ++row) {
            state.Gam_Board[col][row].Fluffo_Dirs = kFluffoDirs[row][col];
            state.Gam_Board[col][row].Wolf_Dirs = kWolfDirs[row][col];
        }
    }
}

DirSet open_fluffo_dirs(Cell cell) {
    return kFluffoDirs[static_cast<size_t>(cell.row)][static_cast<size_t>(cell.col)];
}

void Gam_Reset_Eggs(GameState& state) {
    for (auto& column : state.Gam_Board) {
        for (auto& cell : column)
            cell.Egg_State = Egg::None;
    }
    for (int col = 1; col <= Visible_Cols; ++col) {
        for (int row = 1; row <= Visible_Rows; ++row)
            state.Gam_Board[col][row].Egg_State = Egg::Unvisited;
    }
    for (const Cell& power : Power_Egg_Cells)
        state.Gam_Board[power.col][power.row].Egg_State = Egg::Power;
    state.Gam_Board[Den_Col][Den_Row].Egg_State = Egg::None;
}

Cell plain_step(Cell from, Dir dir) {
    switch (dir) {
        case Dir::Up:
            return {from.col, from.row - 1};
        case Dir::Left:
            return {from.col - 1, from.row};
        case Dir::Right:
            return {from.col + 1, from.row};
        case Dir::Down:
            return {from.col, from.row + 1};
        default:
            return from;
    }
}

Cell fluffo_step(Cell from, Dir dir) {
    for (const Passage& p : kPassages) {
        if (p.dir == dir && p.from == from) return p.to;
    }
    return plain_step(from, dir);
}

}  // namespace fluffo
