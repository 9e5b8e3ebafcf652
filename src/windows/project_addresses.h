#pragma once
// The project's own addresses, the one place they are written, and how an address reads on
// the screen. The ".example" name is kept for examples: it is no one's real address.

#include <string>
#include <string_view>

namespace fluffo {

inline constexpr std::string_view Website_Address = "https://fluffo-brambo.example/sim/";
inline constexpr std::string_view Email_Address = "mailto:sim@fluffo-brambo.example";
inline constexpr std::string_view Donation_Address =
    "https://fluffo-brambo.example/sim/donate.html";

// Without its "https://", "http://" or "mailto:".
std::string shown_address(std::string_view address);

}  // namespace fluffo
