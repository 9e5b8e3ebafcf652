#pragma once
// Where the board's cells sit on the LCD and how they connect. A cell's egg marks its spot on
// the printed paths; Fluffo stands to the right of that spot and a wolf to the left, feet on
// the path, so every figure of a cell lines up with its neighbours in the row and column.

#include <QPointF>
#include <QRect>
#include <vector>

namespace artwork {

// The egg's centre of a visible cell (column 1..5, row 1..7) in window pixels.
QPointF cell_spot(int col, int row);
// The line the figures of a row stand on.
double feet_line(int row);

enum class Facing { Left, Right, Front };
// Fluffo looks along the corridor it stands in: towards the open side, or towards the
// middle of the board where both sides are open, or at the player where the cell only opens
// up and down.
Facing fluffo_facing(int col, int row);

struct PathPiece {
    enum Kind {
        Open,    // an ordinary stretch between two neighbouring cells
        Bridge,  // Fluffo's passage under a crossing corridor
        Tunnel,  // from an edge cell through its gate off the board
    };
    Kind kind;
    QPointF from;
    QPointF to;
};
// The corridors as Fluffo's move table opens them with every gate open.
std::vector<PathPiece> board_paths();

// The LCD's visible glass in window pixels.
inline const QRect Lcd_Glass{98, 26, 245, 221};

}  // namespace artwork
