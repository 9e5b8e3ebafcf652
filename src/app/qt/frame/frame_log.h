#pragma once
// A measuring hook: with FLUFFO_FRAME_LOG naming a file, each frame of the watched window
// appends one line once it has been handed to the window system: the wall-clock time in
// microseconds since the Unix epoch, then the painted area as "x,y wxh". A measuring script
// reads the clock itself just before it starts the program, so the first line gives the time
// from launch to the first frame; the lines after it count the repaints.

#include <QObject>
#include <cstdio>
#include <memory>

class QWidget;

namespace fluffo {

class FrameLog : public QObject {
    Q_OBJECT
public:
    // Watches window when FLUFFO_FRAME_LOG is set (the log lives as long as the window);
    // otherwise does nothing at all.
    static void attach(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FrameLog(QWidget& window, std::FILE* file);

    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, FileCloser> m_file;
};

}  // namespace fluffo
