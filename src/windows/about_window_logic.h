#pragma once
// The about window's logic without its window: the seven captioned facts about the program's
// author (this project), and what the two links and the keys do. A link opens its address with
// the desktop's handler and closes the window whatever the desktop made of it; Esc closes it.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/shell_port.h"
#include "base/virtual_keys.h"

namespace fluffo {

struct AboutRow {
    std::string_view name;     // the pair's labels are la_<name>_1 and la_<name>_2
    std::string_view caption;  // white, plain
    std::string value;         // white, bold; the links yellow and underlined
};

// Rows 1..7 in their order down the window; the last two are the links.
std::array<AboutRow, 7> about_rows();

class AboutWindowView {
public:
    virtual ~AboutWindowView() = default;
    // Hides the window; it keeps its place for the next showing.
    virtual void close_window() = 0;
};

class AboutWindowLogic {
public:
    AboutWindowLogic(ShellPort& shell, AboutWindowView& view) : m_shell(shell), m_view(view) {}

    void la_website_2Click();
    void la_email_2Click();
    // True when the key was taken (Esc).
    bool FormKeyDown(VirtualKey virtual_key);

private:
    ShellPort& m_shell;
    AboutWindowView& m_view;
};

}  // namespace fluffo
