#include "windows/project_addresses.h"

#include <array>

namespace fluffo {

std::string shown_address(std::string_view address) {
    constexpr std::array<std::string_view, 3> schemes = {"https://", "http://", "mailto:"};
    for (std::string_view scheme : schemes) {
        if (address.starts_with(scheme)) return std::string(address.substr(scheme.size()));
    }
    return std::string(address);
}

}  // namespace fluffo
