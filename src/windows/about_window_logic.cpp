#include "windows/about_window_logic.h"

#include "windows/project_addresses.h"

namespace fluffo {

std::array<AboutRow, 7> about_rows() {
    return {{
        {"name", "Name:", "The Fluffo Brambo Sim project"},
        {"birthplace", "Birthplace:", "A Debian 12 workbench"},
        {"birthdate", "Birth date:", "8th December 2026"},
        {"job", "Occupation:", "Bringing a handheld back to life"},
        {"hobby", "Hobby:", "Switching segments on, on time"},
        {"website", "Website:", shown_address(Website_Address)},
        {"email", "Email:", shown_address(Email_Address)},
    }};
}

void AboutWindowLogic::la_website_2Click() {
    m_shell.open_address(std::string(Website_Address));
    m_view.close_window();
}

void AboutWindowLogic::la_email_2Click() {
    m_shell.open_address(std::string(Email_Address));
    m_view.close_window();
}

bool AboutWindowLogic::FormKeyDown(VirtualKey virtual_key) {
    if (virtual_key != vk::Esc) return false;
    m_view.close_window();
    return true;
}

}  // namespace fluffo
