#pragma once
// The board's fixed geometry: Fluffo's and the wolves' move tables, the egg layout of a fresh
// stage, and the steps that carry Fluffo over bridges and through tunnels. Wolves only ever
// take the plain step; Fluffo's step knows the hidden cells.

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

// Writes the initial Fluffo_Dirs and Wolf_Dirs of all 63 cells (gate cells as all open).
void fill_move_tables(GameState& state);

// Unvisited on the visible cells, two power eggs, nothing in the den or on a hidden cell.
void Gam_Reset_Eggs(GameState& state);

// The plain step in a direction (a wolf's step); None stays.
Cell plain_step(Cell from, Dir dir);

// Fluffo's step: the plain step except where a bridge or tunnel leads elsewhere.
Cell fluffo_step(Cell from, Dir dir);

}  // namespace fluffo
