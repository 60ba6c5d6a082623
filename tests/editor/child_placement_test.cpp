// Where new document windows go: cascaded inside the document area.

#include "editor/child_placement.h"

#include <gtest/gtest.h>

namespace ombre::test {
namespace {

TEST(ChildPlacementTest, CascadesInsideTheArea)
{
    const QSize window(450, 300);
    const struct {
        const char *name;
        QSize area;
        std::optional<QRect> last;
        QRect expected;
    } cases[] = {
        {"first window at the corner", {800, 600}, std::nullopt, {0, 0, 450, 300}},
        {"next one a step down and right", {800, 600}, QRect(0, 0, 450, 300), {24, 24, 450, 300}},
        {"from wherever the last one was moved", {800, 600}, QRect(100, 50, 300, 200), {124, 74, 450, 300}},
        {"fits exactly", {800, 600}, QRect(326, 276, 450, 300), {350, 300, 450, 300}},
        {"one pixel over on the right starts again", {800, 600}, QRect(327, 0, 450, 300), {0, 0, 450, 300}},
        {"over at the bottom starts again", {800, 600}, QRect(0, 277, 450, 300), {0, 0, 450, 300}},
        {"last one dragged past the top left edge", {800, 600}, QRect(-200, -30, 450, 300), {24, 24, 450, 300}},
        {"last one dragged out past the bottom right", {800, 600}, QRect(900, 700, 450, 300), {0, 0, 450, 300}},
        {"area too small: the corner", {400, 200}, QRect(24, 24, 450, 300), {0, 0, 450, 300}},
        {"area too small, first window", {400, 200}, std::nullopt, {0, 0, 450, 300}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QRect placed = newChildGeometry(c.area, c.last, window, 24);
        EXPECT_EQ(placed, c.expected) << placed.x() << "," << placed.y();
    }
}

} // namespace
} // namespace ombre::test
