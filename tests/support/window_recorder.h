#pragma once
// The program's other windows as a list of what the main window asked to bring up, for tests.

#include <string>
#include <vector>

#include "windows/main_window_view.h"

namespace fluffo {

struct WindowRecorder : AuxWindows {
    std::vector<std::string> shown;  // "about", "manual", "keys", "start"
    void show_about() override { shown.push_back("about"); }
    void show_manual() override { shown.push_back("manual"); }
    void show_key_settings() override { shown.push_back("keys"); }
    void show_start_screen() override { shown.push_back("start"); }
};

}  // namespace fluffo
