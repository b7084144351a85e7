// Resource ids of the program's icons.
#pragma once

namespace quillon {

inline constexpr int kMainIcon = 1;
inline constexpr int kCompactIcon = 2;

}  // namespace quillon
