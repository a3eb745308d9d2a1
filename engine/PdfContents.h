// The drawing canvas of one PDF page: the one interface through which the
// page layout draws, served by libharu for real files and by recorders in tests.
#pragma once

// A width in points from a sum of glyph widths (thousandths of the font
// size). Every text width of a canvas is formed by exactly this expression,
// so widths summed up by a caller equal those the canvas measures.
inline double WidthFromGlyphUnits(long long units, double size)
{
    return static_cast<double>(units) * size / 1000.0;
}

class PdfContents {
public:
    virtual ~PdfContents() = default;

    virtual void SetLineWidth(double width) = 0;
    virtual void Rectangle(double x, double y, double width, double height) = 0;
    virtual void MoveTo(double x, double y) = 0;
    virtual void LineTo(double x, double y) = 0;
    virtual void Stroke() = 0;
    // Selects a font and size by the font's index among the document's
    // registered fonts (FONT_NAMES order: generation registers them so). An
    // index that names no registered font is a library failure.
    virtual void SetFont(int fontIndex, double size) = 0;
    // Width in points of text in the current font and size: the sum of its
    // glyph widths times the size divided by 1000 (WidthFromGlyphUnits).
    virtual double TextWidth(const char *text) = 0;
    // The glyph width of every byte code in the current font, in thousandths
    // of the font size (0 for code 0, which no text holds). Lets a caller
    // measure every beginning of a long text from running sums.
    virtual void GetGlyphWidths(int widths[256]) = 0;
    virtual void BeginText() = 0;
    virtual void MoveTextPos(double x, double y) = 0;
    virtual void ShowText(const char *text) = 0;
    virtual void EndText() = 0;
};
