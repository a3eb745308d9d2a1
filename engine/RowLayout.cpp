// Setting a row of stamp frames: where each frame goes across the page, the
// frames with their inside texts and captions, and the room the row takes.
#include "AlbumData.h"
#include "PageGeometry.h"
#include "PdfContents.h"

namespace {

bool IsShown(const OwnedText &text)
{
    return text && text[0] != '\0';
}

void ShowAt(PdfContents &contents, double x, double y, const char *text)
{
    contents.BeginText();
    contents.MoveTextPos(x, y);
    contents.ShowText(text);
    contents.EndText();
}

// Where the first frame starts and how far apart the frames stand.
struct RowStart {
    double x;
    double gap;
};

RowStart JustifiedStart(const PageGeometry &g, int stampCount, double widthSum)
{
    if (g.availableWidth > widthSum)
        return {g.elementLeft, (g.availableWidth - widthSum) / (stampCount - 1)};
    return {g.elementLeft, g.effectiveHSpacing};
}

// Equal gaps before, between and after the frames, the outer two reaching
// into the horizontal spacing; a justified row when they would be narrower
// than the spacing.
RowStart EqualStart(const PageGeometry &g, int stampCount, double widthSum)
{
    const double hs = g.effectiveHSpacing;
    const double span = (g.elementRight + hs) - (g.elementLeft - hs);
    const double gap = span > widthSum ? (span - widthSum) / (stampCount + 1) : hs;
    if (hs > gap)
        return JustifiedStart(g, stampCount, widthSum);
    return {(g.elementLeft - hs) + gap, gap};
}

RowStart FixedStart(const PageGeometry &g, int stampCount, double widthSum, double fixedSpace)
{
    const double fixedTotal = widthSum + (stampCount - 1) * fixedSpace;
    if (g.availableWidth > fixedTotal)
        return {g.elementLeft + (g.availableWidth - fixedTotal) / 2, fixedSpace};
    return {g.elementLeft, fixedSpace};
}

RowStart ChooseStart(const CAlbumElementRow &row, const PageGeometry &g, int stampCount, double widthSum)
{
    if (stampCount < 2) {
        const double x = row.spacingMode == ROW_SPACING_JUSTIFIED
                             ? g.elementLeft
                             : g.elementLeft + g.availableWidth / 2 - widthSum / 2;
        return {x, g.effectiveHSpacing};
    }
    switch (row.spacingMode) {
    case ROW_SPACING_EQUAL:
        return EqualStart(g, stampCount, widthSum);
    case ROW_SPACING_FIXED:
        return FixedStart(g, stampCount, widthSum, row.fixedSpace);
    default:
        return JustifiedStart(g, stampCount, widthSum);
    }
}

// Frames of a triangle: left side, right side, then the base right to left,
// each stroked on its own.
void DrawTriangle(PdfContents &contents, double x, double bottom, double top, double w)
{
    contents.MoveTo(x, bottom);
    contents.LineTo(x + w / 2, top);
    contents.Stroke();
    contents.MoveTo(x + w / 2, top);
    contents.LineTo(x + w, bottom);
    contents.Stroke();
    contents.MoveTo(x + w, bottom);
    contents.LineTo(x, bottom);
    contents.Stroke();
}

// The shown inside texts as a block centred in the frame, each line centred.
void DrawInsideTexts(PdfContents &contents, const CAlbumStamp &stamp, const CAlbumElementRow &row,
                     double x, double y, double alignOffset)
{
    int insideCount = 0;
    for (const OwnedText &text : stamp.inside)
        insideCount += IsShown(text) ? 1 : 0;
    if (insideCount == 0)
        return;
    const double size = row.size;
    contents.SetFont(row.font, size);
    double baseline = y - (stamp.height - insideCount * size) / 2 - size;
    for (const OwnedText &text : stamp.inside) {
        if (!IsShown(text))
            continue;
        const double tw = contents.TextWidth(text.get());
        ShowAt(contents, x + (stamp.width - tw) / 2, baseline - alignOffset, text.get());
        baseline = baseline - size;
    }
}

// Where a frame stands: its left edge, width, the row's top line and how far
// the frame sits below that line (bottom-aligned rows).
struct FramePlacement {
    double x;
    double width;
    double top;
    double alignOffset;
};

// One caption row under the frame: left, centre and right texts on one
// baseline, lineHeight below the line that lies above it at
// top - above - alignOffset. Returns the room the row takes: lineHeight, or 0
// when it shows nothing.
double DrawCaptionRow(PdfContents &contents, const OwnedText (&texts)[3], const CAlbumElementRow &row,
                      const FramePlacement &frame, double above, double lineHeight)
{
    double height = 0;
    for (int k = 0; k < 3; ++k) {
        if (!IsShown(texts[k]))
            continue;
        height = lineHeight;
        contents.SetFont(row.font, row.size);
        double tx = frame.x;
        if (k > 0) {
            const double tw = contents.TextWidth(texts[k].get());
            tx = k == 1 ? frame.x + (frame.width - tw) / 2 : frame.x + frame.width - tw;
        }
        ShowAt(contents, tx, frame.top - above - height - frame.alignOffset, texts[k].get());
    }
    return height;
}

}  // namespace

bool CAlbumElementRow::Draw(CAlbumData *album, CAlbumPage *page, PdfContents *contents, double *y,
                            int pageNumber)
{
    const PageGeometry g = ComputePageGeometry(*album, *page, pageNumber);
    int stampCount = 0;
    double widthSum = 0;
    for (CAlbumStamp *stamp = firstStamp; stamp; stamp = stamp->GetNext()) {
        ++stampCount;
        widthSum += stamp->width;
    }
    const RowStart start = ChooseStart(*this, g, stampCount, widthSum);

    double x = start.x;
    double rowHeight = 0;
    for (CAlbumStamp *stamp = firstStamp; stamp; stamp = stamp->GetNext()) {
        // A frame starting at or beyond the page's right edge ends the row.
        if (!(album->pageWidth > x && *y > 0))
            break;
        const double height = DrawStamp(stamp, contents, x, *y, this);
        if (height > rowHeight)
            rowHeight = height;
        x += stamp->width + start.gap;
    }
    if (rowHeight > 0)
        *y = *y - rowHeight - g.effectiveVSpacing;
    return false;
}

double CAlbumElementRow::DrawStamp(CAlbumStamp *stamp, PdfContents *contents, double x, double y,
                                   CAlbumElementRow *row)
{
    const double w = stamp->width;
    const double h = stamp->height;
    const double alignOffset = row->alignTop ? 0 : row->maxFrameHeight - h;

    contents->SetLineWidth(row->borderWidth);
    if (stamp->triangle) {
        DrawTriangle(*contents, x, y - h - alignOffset, y - alignOffset, w);
    } else {
        contents->Rectangle(x, y - h - alignOffset, w, h);
        contents->Stroke();
    }
    DrawInsideTexts(*contents, *stamp, *row, x, y, alignOffset);

    // The first caption row stands size + 2 below the frame, the second
    // size + 1 below the first (or below the frame when the first is empty).
    const FramePlacement frame{x, w, y, alignOffset};
    const double captionHeight = DrawCaptionRow(*contents, stamp->below, *row, frame, h, row->size + 2.0);
    const double caption2Height =
        DrawCaptionRow(*contents, stamp->below2, *row, frame, h + captionHeight, row->size + 1.0);
    return alignOffset + h + captionHeight + caption2Height;
}
