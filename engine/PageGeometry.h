// The geometry of one album page: its margins by page parity, its effective
// spacing and the element area between the margins, border and spacing.
#pragma once

class CAlbumData;
class CAlbumPage;

struct PageGeometry {
    double marginLeft, marginRight, marginTop, marginBottom;
    double boxWidth, boxHeight;  // of the margin box, the rectangle inside the margins
    // The page's own spacing pair when both are positive, else the album's.
    double effectiveHSpacing, effectiveVSpacing;
    double elementLeft, elementRight, availableWidth;
};

// pageNumber counts from 1; odd numbers take the odd margins.
PageGeometry ComputePageGeometry(const CAlbumData &album, const CAlbumPage &page, int pageNumber);
