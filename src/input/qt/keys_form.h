#pragma once
// TKeysForm, the key settings window: opened modally over the main window, which stays
// disabled until this window is accepted or left with Esc.

#include <QDialog>
#include <functional>

namespace fluffo {

class TKeysForm : public QDialog {
    Q_OBJECT
public:
    explicit TKeysForm(QWidget* parent = nullptr);
    // Called whenever the window goes away; the main window is enabled again there.
    void set_on_close(std::function<void()> on_close) { m_on_close = std::move(on_close); }
    // Placed at the centre of the screen and shown.
    void bring_up();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    std::function<void()> m_on_close;
};

}  // namespace fluffo
