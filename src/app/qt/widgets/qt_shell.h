#pragma once
// The desktop around the program, with Qt: files and addresses open with the user's programs,
// the platform's beep, a modal error box, and the end of the program through the event loop.

#include <QString>
#include <functional>
#include <string>

#include "base/shell_port.h"

namespace fluffo {

class QtShell : public ShellPort {
public:
    // Shows one error text and returns when it has been seen.
    using ErrorBox = std::function<void(const std::string&)>;

    // Without an error box, show_error() shows the real one (modal, over the active window).
    explicit QtShell(ErrorBox error_box = {});
    // Tests replace the box, which would block them.
    void set_error_box(ErrorBox error_box);
    // The title over the real error boxes: the program's title, which its main window sets at
    // creation. (A display name for the whole application would do it too, but the window
    // system adds that to the caption of every window.)
    static void set_box_title(const QString& title);

    void open_document(const std::string& file_name) override;
    void open_address(const std::string& address) override;
    void beep() override;
    void show_error(const std::string& text) override;
    // Queues the end of the event loop and remembers the request: before exec() starts Qt
    // ignores an exit, so main() checks terminate_requested() before it enters the loop.
    void terminate() override;
    // As terminate(), with exit status 1.
    void terminate_failed() override;

    bool terminate_requested() const { return m_terminate_requested; }
    // 0, or 1 once a fatal error has asked for the end.
    int exit_status() const { return m_exit_status; }

private:
    void end_event_loop();

    ErrorBox m_error_box;
    bool m_terminate_requested = false;
    int m_exit_status = 0;
};

}  // namespace fluffo
