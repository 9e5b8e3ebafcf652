#pragma once
// TManualForm, the manual viewer: a borderless window that stays on top and shows the pages
// of the printed manual, loaded when the window is created. Esc closes it.

#include <QWidget>

#include "display/compositor.h"
#include "display/manual_screen.h"
#include "display/skin_sources.h"

namespace fluffo {

class TManualForm : public QWidget {
    Q_OBJECT
public:
    explicit TManualForm(QWidget* parent = nullptr);
    // The creation's loading of the pages; an undecodable page is thrown for the error box.
    void load_pages(const SkinSources& sources);
    // Centred the first time, then shown where it was left, and brought to the front.
    void bring_up();
    ManualScreen& screen() { return m_screen; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ManualScreen m_screen;
    Compositor m_compositor;
    bool m_placed = false;
};

}  // namespace fluffo
