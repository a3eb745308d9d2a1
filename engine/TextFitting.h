// An exact measure of every beginning of a text in the canvas's current font,
// for fitting the text to a width.
#pragma once

#include <cstddef>

class PdfContents;

// The widths of the canvas's current font at one size. A beginning's width is
// formed from the running sum of its glyph widths by the same expression as
// the canvas's TextWidth, so each result equals a TextWidth of that beginning.
class TextFitting {
public:
    // Call after the font and size were selected on contents.
    TextFitting(PdfContents &contents, double size);

    // The length of the longest beginning of text[0, length) whose width is
    // not above limit (possibly 0), and that width in *width. Costs the
    // length it returns plus one step.
    size_t LongestFitting(const char *text, size_t length, double limit, double *width) const;

private:
    int widths_[256];
    double size_;
};
