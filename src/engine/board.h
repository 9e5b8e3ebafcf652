#pragma once
// The board's fixed geometry: Fluffo's and the wolves' move tables, the egg layout of a fresh
// stage, and the steps that carry Fluffo over bridges and through tunnels. Wolves only ever
// take the plain step; Fluffo's step knows the hidden cells.

#include <array>

#include "engine/game_state.h"

namespace fluffo {

struct Cell {
    int32_t col = 0;
    int32_t row = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
};

// The cell above the den: a wolf comes out onto it, and Fluffo standing there is caught.
inline constexpr Cell Den_Door{Den_Col, Den_Row - 1};
// Fluffo's place at the start of every stage, below the den.
inline constexpr Cell Fluffo_Start{Den_Col, Den_Row + 1};

// The two power eggs of a fresh stage.
inline constexpr std::array<Cell, 2> Power_Egg_Cells = {{{2, 6}, {4, 2}}};

// The four gates, in the order they are set: the cell each stands on and the way it shuts, the
// way from that cell into its tunnel or onto its bridge.
struct Gate {
    Cell cell;
    Dir shuts;
};
inline constexpr std::array<Gate, 4> Gates = {{
    {{3, 1}, Dir::Up},
    {{1, 4}, Dir::Left},
    {{5, 4}, Dir::Right},
    {{3, 7}, Dir::Down},
}};

// The gate patterns, numbered 1..Gate_Patterns in Gam_Gate.
inline constexpr int Gate_Patterns = 5;

// The ways Fluffo may leave a cell with every gate open, as the move tables give them.
DirSet open_fluffo_dirs(Cell cell);

// Writes the initial Fluffo_Dirs and Wolf_Dirs of all 63 cells (gate cells as all open).
void fill_move_tables(GameState& state);

// Unvisited on the visible cells, two power eggs, nothing in the den or on a hidden cell.
void Gam_Reset_Eggs(GameState& state);

// The plain step in a direction (a wolf's step); None stays.
Cell plain_step(Cell from, Dir dir);

// Fluffo's step: the plain step except where a bridge or tunnel leads elsewhere.
Cell fluffo_step(Cell from, Dir dir);

}  // namespace fluffo
