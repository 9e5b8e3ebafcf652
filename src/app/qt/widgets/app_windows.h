#pragma once
// The program's other windows as the main window asks for them. They are created after the
// main window, so they are handed in once they exist; a window not yet there is skipped.

#include <QWidget>

#include "app/qt/widgets/TAboutForm.h"
#include "app/qt/widgets/TKeysForm.h"
#include "app/qt/widgets/TManualForm.h"
#include "app/qt/widgets/window_placement.h"
#include "windows/main_window_view.h"

namespace fluffo {

class AppWindows : public AuxWindows {
public:
    TAboutForm* about = nullptr;
    TKeysForm* keys = nullptr;
    TManualForm* manual = nullptr;
    QWidget* start_screen = nullptr;

    void show_about() override {
        if (about) about->bring_up();
    }
    void show_manual() override {
        if (manual) manual->bring_up();
    }
    void show_key_settings() override {
        if (keys) keys->bring_up();
    }
    void show_start_screen() override {
        if (start_screen) show_in_front(*start_screen);
    }
};

}  // namespace fluffo
