#pragma once
// What the program asks of the desktop around it, beyond its own windows: open a file or an
// address with the program the user has for it, sound the alert beep, show the modal error
// box, and end the program. The desktop program fills it with Qt; tests record the calls.

#include <string>

namespace fluffo {

class ShellPort {
public:
    virtual ~ShellPort() = default;
    // A file name relative to the working directory ("Readme.txt") with its associated
    // program; a missing file is told in the error box naming it, the opener's own result is
    // not examined.
    virtual void open_document(const std::string& file_name) = 0;
    // A web or "mailto:" address with the browser or mail program; the result is not examined.
    virtual void open_address(const std::string& address) = 0;
    virtual void beep() = 0;
    // A modal error box with an error icon and one OK button; returns when it is dismissed.
    virtual void show_error(const std::string& text) = 0;
    // Asks the program to end once control is back in its event loop.
    virtual void terminate() = 0;
    // The same, after a fatal error the player has been told: the program ends as failed.
    virtual void terminate_failed() { terminate(); }
};

}  // namespace fluffo
