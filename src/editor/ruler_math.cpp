#include "editor/ruler_math.h"

#include "editor/document_units.h"

#include <cmath>

namespace ombre {

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
    h.first = RoundEven(indents.first * kPixelsPerPoint);
    h.left = RoundEven((indents.left + indents.first) * kPixelsPerPoint);
    h.right = rulerWidth - 6 - RoundEven((indents.right + 4) * kPixelsPerPoint);
    return h;
}

ParagraphIndents IndentsFromHandle(RulerHandle moved, const RulerHandles &handles,
                                   const ParagraphIndents &current, int rulerWidth)
{
    ParagraphIndents result = current;
    switch (moved) {
    case RulerHandle::Left:
        result.left = RoundEven(handles.left * kPointsPerPixel) - current.first;
        break;
    case RulerHandle::Right:
        result.right = RoundEven((rulerWidth - handles.right - 10) * kPointsPerPixel);
        break;
    case RulerHandle::First:
        result.first = RoundEven(handles.first * kPointsPerPixel);
        result.left = RoundEven(handles.left * kPointsPerPixel) - result.first;
        break;
    }
    return result;
}

ParagraphIndents IndentsFromMargins(double leftMargin, double textIndent, double rightMargin)
{
    ParagraphIndents p;
    p.first = RoundEven((leftMargin + textIndent) * kPointsPerPixel);
    p.left = RoundEven(-textIndent * kPointsPerPixel);
    p.right = RoundEven(rightMargin * kPointsPerPixel);
    return p;
}

BlockMargins MarginsFromIndents(const ParagraphIndents &indents)
{
    BlockMargins m;
    m.leftMargin = (indents.first + indents.left) * kPixelsPerPoint;
    m.textIndent = -indents.left * kPixelsPerPoint;
    m.rightMargin = indents.right * kPixelsPerPoint;
    return m;
}

} // namespace ombre
