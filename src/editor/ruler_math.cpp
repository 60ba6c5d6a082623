#include "editor/ruler_math.h"

#include <cmath>

namespace ombre {
namespace {
constexpr double PixelsPerPoint = 4.0 / 3.0;
constexpr double PointsPerPixel = 0.75;
} // namespace

int RoundEven(double x)
{
    const double floor = std::floor(x);
    const double diff = x - floor;
    if (diff > 0.5)
        return static_cast<int>(floor) + 1;
    if (diff < 0.5)
        return static_cast<int>(floor);
    const int f = static_cast<int>(floor);
    return f % 2 == 0 ? f : f + 1;
}

RulerHandles HandlesFromIndents(const ParagraphIndents &indents, int rulerWidth)
{
    RulerHandles h;
    h.first = RoundEven(indents.first * PixelsPerPoint);
    h.left = RoundEven((indents.left + indents.first) * PixelsPerPoint);
    h.right = rulerWidth - 6 - RoundEven((indents.right + 4) * PixelsPerPoint);
    return h;
}

ParagraphIndents IndentsFromHandle(RulerHandle moved, const RulerHandles &handles,
                                   const ParagraphIndents &current, int rulerWidth)
{
    ParagraphIndents result = current;
    switch (moved) {
    case RulerHandle::Left:
        result.left = RoundEven(handles.left * PointsPerPixel) - current.first;
        break;
    case RulerHandle::Right:
        result.right = RoundEven((rulerWidth - handles.right - 10) * PointsPerPixel);
        break;
    case RulerHandle::First:
        result.first = RoundEven(handles.first * PointsPerPixel);
        result.left = RoundEven(handles.left * PointsPerPixel) - result.first;
        break;
    }
    return result;
}

ParagraphIndents IndentsFromMargins(double leftMargin, double textIndent, double rightMargin)
{
    ParagraphIndents p;
    p.first = RoundEven((leftMargin + textIndent) * PointsPerPixel);
    p.left = RoundEven(-textIndent * PointsPerPixel);
    p.right = RoundEven(rightMargin * PointsPerPixel);
    return p;
}

BlockMargins MarginsFromIndents(const ParagraphIndents &indents)
{
    BlockMargins m;
    m.leftMargin = (indents.first + indents.left) * PixelsPerPoint;
    m.textIndent = -indents.left * PixelsPerPoint;
    m.rightMargin = indents.right * PixelsPerPoint;
    return m;
}

} // namespace ombre
