#pragma once
// The fixed texts of the splash and about windows that do not come from the
// language file.

namespace zerlant::gui {

inline constexpr const char* kCreditLine1 = "Zerlant developers  <zerlant-dev@zerlant.example>";
inline constexpr const char* kCreditLine2 =
    "Computational chemistry group  <chem-group@zerlant.example>";
inline constexpr const char* kWebPage = "https://zerlant.example/";

}  // namespace zerlant::gui
