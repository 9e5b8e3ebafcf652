// One QApplication for every platform test, on the offscreen platform unless told otherwise,
// with the program's event dispatcher.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "app/qt/pumps/scheduler_pump.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    fluffo::prefer_qt_event_dispatcher();
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
