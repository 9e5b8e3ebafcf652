#include "display/manual_screen.h"

#include <memory>
#include <string>

#include "display/picture_files.h"

namespace fluffo {

namespace {

Holder make_holder(std::string name, bool visible, bool transparent = false,
                   Cursor cursor = Cursor::Default) {
    Holder h;
    h.name = std::move(name);
    h.visible = visible;
    h.transparent = transparent;
    h.cursor = cursor;
    return h;
}

// The released pictures take the clicks.
Holder button(std::string name, bool visible) {
    return make_holder(std::move(name), visible, false, Cursor::Hand);
}

}  // namespace

PicturePtr outline_picture(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0 || int64_t{width} * height > Max_Picture_Pixels) return nullptr;
    constexpr uint32_t Black = 0xff000000u;
    auto p = std::make_shared<Picture>();
    p->width = width;
    p->height = height;
    p->transparency = Transparency::Alpha;
    p->pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0u);
    const auto at = [&](int32_t x, int32_t y) -> uint32_t& {
        return p
            ->pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    };
    for (int32_t x = 0; x < width; ++x) {
        at(x, 0) = Black;
        at(x, height - 1) = Black;
    }
    for (int32_t y = 0; y < height; ++y) {
        at(0, y) = Black;
        at(width - 1, y) = Black;
    }
    return p;
}

ManualScreen::ManualScreen() {
    for (int n = 8; n >= 1; --n) {
        Vid_Pages[static_cast<size_t>(n)] =
            m_model.add(make_holder("im_page_0" + std::to_string(n), false));
    }
    im_page_top = m_model.add(make_holder("im_page_top", true));
    sh_page_top = m_model.add(make_holder("sh_page_top", true, true));
    btn_close_down = m_model.add(make_holder("btn_close_down", true));
    btn_close_up = m_model.add(button("btn_close_up", true));
    btn_left_down = m_model.add(make_holder("btn_left_down", false));
    btn_left_up = m_model.add(button("btn_left_up", false));
    btn_right_down = m_model.add(make_holder("btn_right_down", true));
    btn_right_up = m_model.add(button("btn_right_up", true));
    follow_client_area();
}

void ManualScreen::set_client_width(int32_t width) {
    m_client_width = width;
    follow_client_area();
}

void ManualScreen::set_client_height(int32_t height) {
    m_client_height = height;
    follow_client_area();
}

void ManualScreen::follow_client_area() {
    const Rect page{0, 0, m_client_width, m_client_height};
    m_model.set_bounds(im_page_top, page);
    if (m_model.at(sh_page_top).bounds != page || !m_model.at(sh_page_top).picture) {
        m_model.set_bounds(sh_page_top, page);
        m_model.set_picture(sh_page_top, outline_picture(page.width, page.height));
    }
    const int32_t right = clamp_to_int32(int64_t{m_client_width} - Button_Margin - Button_Width);
    const int32_t bottom = clamp_to_int32(int64_t{m_client_height} - Button_Margin - Button_Height);
    const Rect close{right, Button_Margin, Button_Width, Button_Height};
    const Rect left{Button_Margin, bottom, Button_Width, Button_Height};
    const Rect next{right, bottom, Button_Width, Button_Height};
    m_model.set_bounds(btn_close_down, close);
    m_model.set_bounds(btn_close_up, close);
    m_model.set_bounds(btn_left_down, left);
    m_model.set_bounds(btn_left_up, left);
    m_model.set_bounds(btn_right_down, next);
    m_model.set_bounds(btn_right_up, next);
}

}  // namespace fluffo
