#include "app/qt/widgets/TKeysForm.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <utility>

#include "app/qt/keyboard/key_translation.h"
#include "app/qt/widgets/window_placement.h"
#include "app/qt/widgets/window_text.h"
#include "base/error_boundary.h"
#include "display/centring.h"

namespace fluffo {

namespace {

constexpr int Text_Pixels = 12;
constexpr int Box_Pixels = 11;

// Two mirrored columns: boxes on the outside, their labels towards the middle.
constexpr int Margin = 16;
constexpr int Box_Width = 124;
constexpr int Label_Width = 64;
constexpr int Gap = 6;
constexpr int Row_Height = 21;
constexpr int First_Row = 32;
constexpr int Row_Step = 32;
constexpr int Client_Width = 448;
constexpr int Client_Height = 195;
constexpr int Column_Width = Box_Width + Gap + Label_Width;
constexpr int Heading_Top = 8;
constexpr int Heading_Height = 16;
constexpr QSize Button_Size(112, 26);
constexpr int Button_Top = 159;

int row_top(int row) {
    return First_Row + row * Row_Step;
}

}  // namespace

template <typename Call>
void TKeysForm::enter(Call&& call) {
    run_guarded(m_ports.shell, std::forward<Call>(call));
    refresh();
}

TKeysForm::TKeysForm(KeysFormPorts ports)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_ports(std::move(ports)),
      m_logic(m_ports.keys, m_ports.store, m_ports.main_window_model, *this) {
    setObjectName(QStringLiteral("TKeysForm"));
    setWindowTitle(QStringLiteral("Key settings"));
    setFixedSize(Client_Width, Client_Height);
    set_navy_ground(*this);

    build_controls();
    enter([this] { m_logic.FormCreate(); });
}

void TKeysForm::build_controls() {
    const int right_column = Client_Width - Margin - Column_Width;
    const QFont heading = arial(Text_Pixels, {.bold = true, .underline = true});
    add_label(QStringLiteral("la_main_operations"), "Main operations",
              QRect(Margin, Heading_Top, Column_Width, Heading_Height), Qt::AlignLeft)
        ->setFont(heading);
    add_label(QStringLiteral("la_game_controls"), "Game controls",
              QRect(right_column, Heading_Top, Column_Width, Heading_Height), Qt::AlignRight)
        ->setFont(heading);

    struct Row {
        Control control;
        const char* label;
    };
    // Left: the box, then its label on the right.
    static constexpr Row Left_Rows[] = {
        {Control::Game_A, "Game A"}, {Control::Game_B, "Game B"}, {Control::Time, "Time"}};
    for (int row = 0; const Row& r : Left_Rows) {
        const int top = row_top(row++);
        add_box(r.control, QRect(Margin, top, Box_Width, Row_Height));
        add_key_label(r.control, r.label,
                      QRect(Margin + Box_Width + Gap, top, Label_Width, Row_Height), Qt::AlignLeft);
    }
    // Right: the label, right-aligned against its box.
    static constexpr Row Right_Rows[] = {{Control::Up, "Up"},
                                         {Control::Left, "Left"},
                                         {Control::Right, "Right"},
                                         {Control::Down, "Down"}};
    for (int row = 0; const Row& r : Right_Rows) {
        const int top = row_top(row++);
        add_key_label(r.control, r.label, QRect(right_column, top, Label_Width, Row_Height),
                      Qt::AlignRight);
        add_box(r.control, QRect(right_column + Label_Width + Gap, top, Box_Width, Row_Height));
    }

    m_btn_accept = new QPushButton(QStringLiteral("- ACCEPT -"), this);
    m_btn_accept->setObjectName(QStringLiteral("btn_accept"));
    m_btn_accept->setGeometry(QRect(
        QPoint(centred_start(0, Client_Width, Button_Size.width()), Button_Top), Button_Size));
    m_btn_accept->setFont(arial(Text_Pixels, {.bold = true}));
    connect(m_btn_accept, &QPushButton::clicked, this, &TKeysForm::btn_acceptClick);

    // Tab goes through the boxes in the controls' order, then to Accept.
    for (size_t i = 0; i + 1 < All_Controls.size(); ++i)
        setTabOrder(m_boxes[All_Controls[i]], m_boxes[All_Controls[i + 1]]);
    setTabOrder(m_boxes[All_Controls.back()], m_btn_accept);

    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

QLabel* TKeysForm::add_label(const QString& name, const char* text, QRect geometry,
                             Qt::Alignment align) {
    QLabel* label =
        add_text_label(*this, name, geometry, arial(Text_Pixels, {.bold = true}), Qt::white);
    label->setText(QString::fromLatin1(text));
    label->setAlignment(align | Qt::AlignVCenter);
    return label;
}

void TKeysForm::add_key_label(Control control, const char* text, QRect geometry,
                              Qt::Alignment align) {
    m_labels[control] =
        add_label(QStringLiteral("la_%1").arg(control_number(control)), text, geometry, align);
}

void TKeysForm::add_box(Control control, QRect geometry) {
    auto* box = new QComboBox(this);
    box->setObjectName(QStringLiteral("cb_%1").arg(control_number(control)));
    box->setGeometry(geometry);
    box->setEditable(false);
    box->setFont(arial(Box_Pixels));
    // The one list of keys, in its order: item i is list index i + 1.
    for (const SelectableKey& key : Selectable_Keys)
        box->addItem(text_of(key.item_text));
    connect(box, &QComboBox::currentIndexChanged, this,
            [this, control](int index) { cbChange(control, index); });
    m_boxes[control] = box;
}

bool TKeysForm::eventFilter(QObject* watched, QEvent* event) {
    // An open list is a window of its own: its keys choose within it.
    if (event->type() == QEvent::KeyPress && static_cast<QWidget*>(watched)->window() == this)
        return FormKeyDown(*static_cast<QKeyEvent*>(event));
    return QWidget::eventFilter(watched, event);
}

void TKeysForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        m_was_active = true;
        if (!std::exchange(m_taking_back, false)) FormActivate();
    }
    QWidget::changeEvent(event);
}

void TKeysForm::take_back_keyboard() {
    // Later, once the window system has done with the activation that took it; asked of the
    // window system again even when the toolkit still counts this window active.
    QTimer::singleShot(0, this, [this] {
        if (!isVisible() || QGuiApplication::focusWindow() == windowHandle()) return;
        // Not yet active since it came up: this is its first activation, FormActivate's.
        m_taking_back = m_was_active;
        raise();
        activateWindow();
    });
}

void TKeysForm::closeEvent(QCloseEvent* event) {
    // Never hidden with the main window left disabled.
    if (isVisible()) enter([this] { m_logic.FormKeyDown(vk::Esc); });
    event->accept();
}

void TKeysForm::pad_key(VirtualKey key, bool down) {
    if (down) enter([&] { m_logic.FormKeyDown(key); });
}

void TKeysForm::FormActivate() {
    m_boxes[Control::Game_A]->setFocus(Qt::ActiveWindowFocusReason);
}

bool TKeysForm::FormKeyDown(const QKeyEvent& event) {
    const VirtualKey key = virtual_key_of(event);
    bool handled = false;
    enter([&] { handled = m_logic.FormKeyDown(key); });
    // An Enter whose Accept was abandoned was still the window's.
    return handled || key == vk::Enter || key == vk::Esc;
}

void TKeysForm::cbChange(Control control, int index) {
    enter([&] { m_logic.select(control, index); });
}

void TKeysForm::btn_acceptClick() {
    enter([this] { m_logic.btn_acceptClick(); });
}

void TKeysForm::refresh() {
    for (Control c : All_Controls) {
        QComboBox* box = m_boxes[c];
        {
            // What the logic sets is no choice of the player's.
            const QSignalBlocker quiet(box);
            box->setCurrentIndex(m_logic.selection(c));
        }
        set_ink(*m_labels[c], QColor(QRgb{m_logic.label_colour(c)}));  // alpha ignored
    }
    m_btn_accept->setEnabled(m_logic.accept_enabled());
}

void TKeysForm::bring_up() {
    m_taking_back = false;
    m_was_active = false;
    centre_on_screen(*this);
    keep_above(*this, m_ports.main_window);
    show_in_front(*this);
}

void TKeysForm::close_window() {
    hide();
}

void TKeysForm::enable_main_window() {
    if (m_ports.enable_main_window) m_ports.enable_main_window();
}

}  // namespace fluffo
