// The ruler's conversions between paragraph indents (points) and handle positions (pixels).

#include "editor/ruler_math.h"

#include <gtest/gtest.h>

namespace ombre {
namespace {

TEST(RulerMath, RoundsHalvesToTheEvenNeighbour)
{
    const struct {
        double x;
        int expected;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.4, 2}, {2.6, 3}, {-2.6, -3}, {13.333, 13}};
    for (const auto &c : cases)
        EXPECT_EQ(RoundEven(c.x), c.expected) << c.x;
}

TEST(RulerMath, HandlesFromIndents)
{
    const int width = 500;
    EXPECT_EQ(HandlesFromIndents({0, 0, 0}, width), (RulerHandles{0, 0, width - 6 - 5}));
    // 4/3 of 15 points is 20 pixels; the left handle measures first + left.
    EXPECT_EQ(HandlesFromIndents({15, 15, 9}, width), (RulerHandles{20, 40, width - 6 - 17}));
    // A hanging indent: other lines left of the first one.
    EXPECT_EQ(HandlesFromIndents({30, -30, 0}, width), (RulerHandles{40, 0, width - 6 - 5}));
}

TEST(RulerMath, DraggingAHandleChangesItsIndentsOnly)
{
    const int width = 500;
    const ParagraphIndents current{15, 15, 9};
    const RulerHandles start = HandlesFromIndents(current, width);

    RulerHandles left = start;
    left.left = 60;
    EXPECT_EQ(IndentsFromHandle(RulerHandle::Left, left, current, width), (ParagraphIndents{15, 30, 9}));

    RulerHandles right = start;
    right.right = width - 50;
    EXPECT_EQ(IndentsFromHandle(RulerHandle::Right, right, current, width), (ParagraphIndents{15, 15, 30}));

    // Moving the first-line handle keeps the other lines where they were.
    RulerHandles first = start;
    first.first = 0;
    EXPECT_EQ(IndentsFromHandle(RulerHandle::First, first, current, width), (ParagraphIndents{0, 30, 9}));
}

TEST(RulerMath, MarginsRoundTrip)
{
    for (const ParagraphIndents indents : {ParagraphIndents{0, 0, 0}, ParagraphIndents{15, 15, 9},
                                           ParagraphIndents{30, -30, 0}, ParagraphIndents{36, 0, 72}}) {
        const BlockMargins m = MarginsFromIndents(indents);
        EXPECT_EQ(IndentsFromMargins(m.leftMargin, m.textIndent, m.rightMargin), indents);
    }
}

} // namespace
} // namespace ombre
