#pragma once
// Where a new document window goes in the document area: one step below and right of the last
// one, back at the area's corner when it would not fit there, so that its caption and close box
// stay within reach. Only an area smaller than the window itself leaves part of it outside.

#include <QRect>
#include <optional>

namespace ombre {

// `area`: the document area's size; `last`: the geometry of the last document window shown in
// the normal state, if any; `size`: the new window's; `step`: the cascade's offset.
QRect newChildGeometry(QSize area, std::optional<QRect> last, QSize size, int step);

} // namespace ombre
