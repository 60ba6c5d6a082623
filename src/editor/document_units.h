#pragma once
// The document's lengths and the editor's pixel font sizes are pixels of a 96 dpi screen; a
// point is 4/3 of such a pixel. The ruler, the caret's size, the paragraph commands and
// printing all convert with these.

namespace ombre {

inline constexpr double kScreenDpi = 96.0;
inline constexpr double kPointsPerPixel = 72.0 / kScreenDpi;
inline constexpr double kPixelsPerPoint = kScreenDpi / 72.0;

} // namespace ombre
