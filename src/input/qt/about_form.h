#pragma once
// TAboutForm, the about window: hidden until asked for from the menu, Esc closes it.

#include <QDialog>

namespace fluffo {

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);
    // Shown where it was, or centred the first time, and brought to the front.
    void bring_up();

private:
    bool m_placed = false;
};

}  // namespace fluffo
