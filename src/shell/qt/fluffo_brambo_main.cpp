// The program a player starts: the five windows over the core, one event loop.
#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return 0;
}
