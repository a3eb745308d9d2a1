// Setting a paragraph on a page: centred lines cut to the element area's
// width, left-aligned lines wrapped at blanks.
#include <string>

#include "AlbumData.h"
#include "FontNames.h"
#include "PageGeometry.h"
#include "PdfContents.h"
#include "TextFitting.h"

namespace {

void ShowAt(PdfContents &contents, double x, double y, const char *text)
{
    contents.BeginText();
    contents.MoveTextPos(x, y);
    contents.ShowText(text);
    contents.EndText();
}

// Cuts the line from its end until it fits and draws it centred at y; the
// line is kept cut. A line cut to nothing is not drawn.
void SetCentredLine(PdfContents &contents, const TextFitting &fitting, const PageGeometry &g,
                    std::string &line, double y)
{
    double width;
    line.resize(fitting.LongestFitting(line.data(), line.size(), g.availableWidth, &width));
    if (width > 0 && !line.empty())
        ShowAt(contents, g.elementLeft + (g.availableWidth - width) / 2, y, line.c_str());
}

// The length of the next piece of a line that does not fit whole: up to and
// with the last blank among the fitting characters. A word too wide for the
// element area alone is broken between characters: the piece then takes all
// that fits, and one character at least, so that every piece advances.
size_t CutPieceAtBlank(const char *rest, size_t fittingLength)
{
    size_t n = fittingLength;
    while (n > 0 && rest[n - 1] != ' ')
        --n;
    if (n > 0)
        return n;
    return fittingLength > 0 ? fittingLength : 1;
}

// Draws the line from the cursor *y (already lowered to the line's first
// baseline) in pieces at blanks while *y stays above the page's bottom edge;
// each further piece lowers *y by the font size.
void SetWrappedLine(PdfContents &contents, const TextFitting &fitting, const PageGeometry &g,
                    const std::string &line, double size, double *y)
{
    std::string piece;
    size_t p = 0;
    while (*y > 0 && p < line.size()) {
        const char *rest = line.data() + p;
        const size_t restLength = line.size() - p;
        double width;
        size_t n = fitting.LongestFitting(rest, restLength, g.availableWidth, &width);
        if (n < restLength)
            n = CutPieceAtBlank(rest, n);
        piece.assign(rest, n);
        ShowAt(contents, g.elementLeft, *y, piece.c_str());
        if (n < restLength) {
            p += n;
            *y -= size;
        } else {
            p = line.size();
        }
        // The blank that ended the piece was shown with it; the next piece
        // begins with the next other character.
        while (p < line.size() && line[p] == ' ')
            ++p;
    }
}

}  // namespace

bool CAlbumElementText::Draw(CAlbumData *album, CAlbumPage *page, PdfContents *contents, double *y,
                             int pageNumber)
{
    const PageGeometry g = ComputePageGeometry(*album, *page, pageNumber);
    if (!IsFontIndex(font) || size == 0)
        return true;
    const double fontSize = size;
    contents->SetFont(font, fontSize);
    const TextFitting fitting(*contents, fontSize);
    for (std::string &line : lines) {
        *y -= size;
        if (centred)
            SetCentredLine(*contents, fitting, g, line, *y);
        else
            SetWrappedLine(*contents, fitting, g, line, fontSize, y);
    }
    *y -= g.effectiveVSpacing;
    return false;
}
