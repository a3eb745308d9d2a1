// Page geometry. Sums and differences are formed left to right in the order
// written, so that every element of a page sees the same exact values.
#include "PageGeometry.h"

#include "AlbumData.h"

PageGeometry ComputePageGeometry(const CAlbumData &album, const CAlbumPage &page, int pageNumber)
{
    PageGeometry g;
    const bool odd = pageNumber % 2 != 0;
    g.marginLeft = odd ? album.oddLeft : album.evenLeft;
    g.marginRight = odd ? album.oddRight : album.evenRight;
    g.marginTop = odd ? album.oddTop : album.evenTop;
    g.marginBottom = odd ? album.oddBottom : album.evenBottom;
    g.boxWidth = album.pageWidth - g.marginLeft - g.marginRight;
    g.boxHeight = album.pageHeight - g.marginBottom - g.marginTop;

    // The page's pair counts only as a whole.
    const bool ownSpacing = page.hSpacing > 0 && page.vSpacing > 0;
    g.effectiveHSpacing = ownSpacing ? page.hSpacing : album.hSpacing;
    g.effectiveVSpacing = ownSpacing ? page.vSpacing : album.vSpacing;

    g.elementLeft = g.marginLeft + album.borderGap + album.borderInner + g.effectiveHSpacing;
    g.elementRight =
        album.pageWidth - g.marginRight - album.borderGap - album.borderInner - g.effectiveHSpacing;
    g.availableWidth = g.elementRight - g.elementLeft;
    return g;
}
