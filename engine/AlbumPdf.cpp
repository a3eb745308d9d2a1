// Generating the PDF file: the settings checks, the document with its fonts,
// one PDF page per album page with its frame and elements, and the reports.
#include "AlbumPdf.h"

#include <climits>
#include <cmath>
#include <new>

#include "AlbumData.h"
#include "FontNames.h"
#include "Messages.h"
#include "PageGeometry.h"
#include "PdfDoc.h"

namespace {

// Reports each required setting that is missing; TRUE when all were given.
bool RequiredSettingsGiven(const CAlbumData &album)
{
    if (!album.sizeSet)
        ShowMessage("<R>Error: <n>Page size not defined.\n");
    if (!album.marginsSet)
        ShowMessage("<R>Error: <n>Page margins not set.\n");
    if (!album.spacingSet)
        ShowMessage("<R>Error: <n>Page spacing not set.\n");
    return album.sizeSet && album.marginsSet && album.spacingSet;
}

// Whole points toward zero. Values no int can hold are clamped (a page that
// large or odd is then refused by the library instead of overflowing here).
int TruncatedPoints(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

// The eight standard fonts in FONT_NAMES order, so that a font index selects
// its font on every canvas of the document.
void RegisterFonts(PdfDoc &doc, const PdfWinAnsiEncoding *encoding)
{
    doc.AddType1Font(PdfTimesRomanFontDef(), encoding);
    doc.AddType1Font(PdfTimesBoldFontDef(), encoding);
    doc.AddType1Font(PdfTimesItalicFontDef(), encoding);
    doc.AddType1Font(PdfTimesBoldItalicFontDef(), encoding);
    doc.AddType1Font(PdfHelveticaFontDef(), encoding);
    doc.AddType1Font(PdfHelveticaBoldFontDef(), encoding);
    doc.AddType1Font(PdfHelveticaObliqueFontDef(), encoding);
    doc.AddType1Font(PdfHelveticaBoldObliqueFontDef(), encoding);
}

// Draws the page's elements from the cursor down; an element that would
// begin at or below the page's bottom edge is passed over. TRUE: stop.
bool DrawElements(CAlbumData *album, CAlbumPage *page, double *y, int pageNumber)
{
    for (CAlbumElement *element = page->firstElement; element; element = element->GetNext()) {
        if (*y > 0 && element->Draw(album, page, album->contents, y, pageNumber))
            return true;
    }
    return false;
}

// One PDF page per album page, in list order. TRUE: a stop was asked for.
bool DrawPages(PdfDoc &doc, CAlbumData *album)
{
    int pageNumber = 0;
    for (CAlbumPage *page = album->firstPage; page; page = page->GetNext()) {
        double y = 0;
        PdfPage *pdfPage = doc.AddPage();
        pdfPage->SetMediaBox(0, 0, TruncatedPoints(album->pageWidth), TruncatedPoints(album->pageHeight));
        album->contents = pdfPage->GetContents();
        ++pageNumber;
        if (DrawPageHeader(album, page, &y, pageNumber) || DrawElements(album, page, &y, pageNumber))
            return true;
    }
    return false;
}

// Builds and writes the document; the document is released on every path
// out of here, a thrown failure included. 0 written, 1 stopped.
int BuildAndWrite(CAlbumData *album, const char *pdfPath)
{
    PdfDoc doc;
    PdfWinAnsiEncoding winAnsi;
    const PdfWinAnsiEncoding *encoding = album->winAnsiFonts ? &winAnsi : nullptr;
    doc.NewDocument();
    RegisterFonts(doc, encoding);
    if (DrawPages(doc, album))
        return 1;
    ShowMessage("Creating %s\n", pdfPath);
    doc.WriteToFile(pdfPath);
    ShowMessage("Finished Creating %s\n", pdfPath);
    return 0;
}

// Clears the album's canvas pointer when generation ends, so that nothing is
// left pointing into the released document.
class ContentsReset {
public:
    explicit ContentsReset(CAlbumData *album) : album_(album) {}
    ~ContentsReset() { album_->contents = nullptr; }
    ContentsReset(const ContentsReset &) = delete;
    ContentsReset &operator=(const ContentsReset &) = delete;

private:
    CAlbumData *album_;
};

void DrawBorder(const CAlbumData &album, PdfContents &contents, const PageGeometry &g)
{
    contents.SetLineWidth(album.borderOuter);
    contents.Rectangle(g.marginLeft, g.marginBottom, g.boxWidth, g.boxHeight);
    contents.Stroke();
    // Inset by the gap at the left and bottom, and by the gap and half the
    // inner line at the right and top.
    contents.SetLineWidth(album.borderInner);
    contents.Rectangle(g.marginLeft + album.borderGap, g.marginBottom + album.borderGap,
                       g.boxWidth - 2 * album.borderGap - album.borderInner / 2,
                       g.boxHeight - 2 * album.borderGap - album.borderInner / 2);
    contents.Stroke();
}

}  // namespace

bool DrawPageHeader(CAlbumData *album, CAlbumPage *page, double *y, int pageNumber)
{
    PdfContents &contents = *album->contents;
    const PageGeometry g = ComputePageGeometry(*album, *page, pageNumber);
    if (album->borderSet)
        DrawBorder(*album, contents, g);
    *y += album->pageHeight - g.marginTop;
    if (!album->titleText)
        return false;
    if (!IsFontIndex(album->titleFont) || album->titleSize == 0)
        return true;

    contents.SetFont(album->titleFont, album->titleSize);
    const double cx = g.marginLeft + g.boxWidth / 2;
    const double tw = contents.TextWidth(album->titleText.get());
    *y -= g.effectiveVSpacing;
    *y -= album->titleSize;
    contents.BeginText();
    contents.MoveTextPos(cx - tw / 2, *y);
    contents.ShowText(album->titleText.get());
    contents.EndText();
    *y -= g.effectiveVSpacing;
    return false;
}

int CreateAlbumPdf(CAlbumData *album, const char *pdfPath)
{
    if (!RequiredSettingsGiven(*album))
        return 1;
    ContentsReset reset(album);
    try {
        return BuildAndWrite(album, pdfPath);
    } catch (const PdfException &e) {
        if (e.GetCode() == PDF_WRITE_FAILURE)
            ShowMessage("\n<R>Error: <n>cannot write to %s\n"
                        "       If you have it open for viewing, please close the viewer.\n",
                        pdfPath);
        else
            ShowMessage("<R>%s<n>\n", e.what());
    } catch (const std::bad_alloc &) {
        ShowMessage("<R>Error: <n>not enough memory to create %s\n", pdfPath);
    }
    return 1;
}
