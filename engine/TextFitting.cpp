// Exact width fitting from the current font's glyph widths.
#include "TextFitting.h"

#include "PdfContents.h"

TextFitting::TextFitting(PdfContents &contents, double size) : size_(size)
{
    contents.GetGlyphWidths(widths_);
}

size_t TextFitting::LongestFitting(const char *text, size_t length, double limit, double *width) const
{
    // Widths only grow as a beginning grows, so the beginnings that fit form
    // an unbroken run from the empty one: the same length as removing the
    // last character until the rest fits. "Not above" keeps that result
    // even for a limit that is not a number.
    long long units = 0;
    size_t n = 0;
    while (n < length) {
        const long long next = units + widths_[static_cast<unsigned char>(text[n])];
        if (WidthFromGlyphUnits(next, size_) > limit)
            break;
        units = next;
        ++n;
    }
    *width = WidthFromGlyphUnits(units, size_);
    return n;
}
