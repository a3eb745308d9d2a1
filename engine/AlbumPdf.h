// Generating the PDF file of an album: settings checks, the document, the
// page frame (border and title) and the page loop.
#pragma once

class CAlbumData;

// Lays the album out and writes it to pdfPath. 0 when the file was written,
// 1 otherwise; every outcome is reported through the message seam.
int CreateAlbumPdf(CAlbumData *album, const char *pdfPath);
