#include "board_layout.h"

#include <array>

#include "engine/board.h"

namespace artwork {

namespace {

// The eggs of each column and row sit on these lines.
constexpr std::array<double, 6> Column_X{0, 130.5, 175.5, 221.5, 268, 313.5};
constexpr std::array<double, 8> Row_Y{0, 82, 107, 132.5, 157.5, 180.5, 206.5, 232};

fluffo::GameState board_with_open_gates() {
    fluffo::GameState state;
    fluffo::fill_move_tables(state);
    return state;
}

bool opens(const fluffo::GameState& state, int col, int row, fluffo::Dir dir) {
    return fluffo::has(state.cell(col, row).Fluffo_Dirs, dir);
}

// Where a tunnel leaves the LCD: just past the gate of that edge.
QPointF edge_exit(int col, int row, fluffo::Dir dir) {
    const QPointF spot = cell_spot(col, row);
    switch (dir) {
        case fluffo::Dir::Up:
            return {spot.x(), Lcd_Glass.top() + 34.0};
        case fluffo::Dir::Down:
            return {spot.x(), double(Lcd_Glass.bottom()) + 1};
        case fluffo::Dir::Left:
            return {double(Lcd_Glass.left()), spot.y()};
        default:
            return {double(Lcd_Glass.right()) + 1, spot.y()};
    }
}

}  // namespace

QPointF cell_spot(int col, int row) {
    return {Column_X[static_cast<size_t>(col)], Row_Y[static_cast<size_t>(row)]};
}

double feet_line(int row) {
    return Row_Y[static_cast<size_t>(row)] + 6;
}

Facing fluffo_facing(int col, int row) {
    static const fluffo::GameState state = board_with_open_gates();
    const bool left = opens(state, col, row, fluffo::Dir::Left);
    const bool right = opens(state, col, row, fluffo::Dir::Right);
    if (left && right) return col <= 3 ? Facing::Right : Facing::Left;
    if (left) return Facing::Left;
    if (right) return Facing::Right;
    return Facing::Front;
}

std::vector<PathPiece> board_paths() {
    const fluffo::GameState state = board_with_open_gates();
    std::vector<PathPiece> pieces;
    for (int col = 1; col <= 5; ++col) {
        for (int row = 1; row <= 7; ++row) {
            if (fluffo::is_den(col, row)) continue;
            for (fluffo::Dir dir : fluffo::All_Dirs) {
                if (!opens(state, col, row, dir)) continue;
                const fluffo::Cell next = fluffo::fluffo_step({col, row}, dir);
                if (fluffo::is_visible_cell(next.col, next.row)) {
                    // Each stretch once: from its left or upper end.
                    if (dir == fluffo::Dir::Right || dir == fluffo::Dir::Down) {
                        pieces.push_back(
                            {PathPiece::Open, cell_spot(col, row), cell_spot(next.col, next.row)});
                    }
                    continue;
                }
                const fluffo::Cell beyond = fluffo::fluffo_step(next, dir);
                if (fluffo::is_visible_cell(beyond.col, beyond.row)) {
                    // A bridge: down from its upper end to the cell two rows below.
                    if (dir == fluffo::Dir::Down) {
                        pieces.push_back({PathPiece::Bridge, cell_spot(col, row),
                                          cell_spot(beyond.col, beyond.row)});
                    }
                } else {
                    pieces.push_back(
                        {PathPiece::Tunnel, cell_spot(col, row), edge_exit(col, row, dir)});
                }
            }
        }
    }
    return pieces;
}

}  // namespace artwork
