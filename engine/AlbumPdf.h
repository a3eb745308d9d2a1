// Generating the PDF file of an album: settings checks, the document, the
// page frame (border and title) and the page loop.
#pragma once

class CAlbumData;
class CAlbumPage;

// Lays the album out and writes it to pdfPath. 0 when the file was written,
// 1 otherwise; every outcome is reported through the message seam.
int CreateAlbumPdf(CAlbumData *album, const char *pdfPath);

// Draws the page's border and title on album->contents and moves the cursor
// *y (0 on entry) to where the page's first element begins. TRUE asks the
// generation to stop (a title without a usable font).
bool DrawPageHeader(CAlbumData *album, CAlbumPage *page, double *y, int pageNumber);
