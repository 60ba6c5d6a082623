#pragma once
// The ruler works in pixels, paragraphs in points (4/3 pixel per point on a 96 dpi screen).
// Paragraph indents follow the rich-edit model: `first` is the first line's indent, `left` the
// other lines' indent measured from `first`, `right` the indent from the right edge.

namespace ombre {

struct ParagraphIndents {
    int first = 0;
    int left = 0;
    int right = 0;
    friend bool operator==(const ParagraphIndents &, const ParagraphIndents &) = default;
};

struct RulerHandles {
    int first = 0;
    int left = 0;
    int right = 0;
    friend bool operator==(const RulerHandles &, const RulerHandles &) = default;
};

enum class RulerHandle { First, Left, Right };

// Nearest integer, halves to the even neighbour.
int RoundEven(double x);

RulerHandles HandlesFromIndents(const ParagraphIndents &indents, int rulerWidth);
// The indents after the user moved `moved` to the positions in `handles`.
ParagraphIndents IndentsFromHandle(RulerHandle moved, const RulerHandles &handles,
                                   const ParagraphIndents &current, int rulerWidth);

// A paragraph's margins in document pixels (left margin, first-line offset, right margin) and back.
ParagraphIndents IndentsFromMargins(double leftMargin, double textIndent, double rightMargin);
struct BlockMargins {
    double leftMargin = 0;
    double textIndent = 0;
    double rightMargin = 0;
};
BlockMargins MarginsFromIndents(const ParagraphIndents &indents);

} // namespace ombre
