#include "editor/child_placement.h"

#include <algorithm>

namespace ombre {

QRect newChildGeometry(QSize area, std::optional<QRect> last, QSize size, int step)
{
    // A last window dragged partly out past the top or left edge cascades from the edge.
    QPoint at = last ? QPoint(std::max(0, last->left()), std::max(0, last->top())) + QPoint(step, step) : QPoint();
    const QRect placed(at, size);
    if (placed.right() >= area.width() || placed.bottom() >= area.height())
        at = QPoint(); // the cascade starts again
    return QRect(at, size);
}

} // namespace ombre
