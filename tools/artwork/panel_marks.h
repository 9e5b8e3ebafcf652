#pragma once
// The number panel above the playing field: seven-segment digits, the clock's colon and PM
// mark, the alarm bell, the lives marks and the GAME A / GAME B / GAME OVER marks.

#include <QImage>
#include <QSize>

namespace artwork {

QImage digit_picture(int digit, QSize size);
QImage colon_picture(QSize size);
QImage pm_picture(QSize size);
QImage bell_picture(QSize size);
QImage lives_picture(QSize size);
QImage game_a_picture(QSize size);
QImage game_b_picture(QSize size);
QImage game_over_picture(QSize size);

}  // namespace artwork
