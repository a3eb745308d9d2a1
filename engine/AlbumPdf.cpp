// Placeholder until generation lands.
#include "AlbumPdf.h"
#include "AlbumData.h"

int CreateAlbumPdf(CAlbumData *, const char *)
{
    return 1;
}

bool CAlbumElementText::Draw(CAlbumData *, CAlbumPage *, PdfContents *, double *, int)
{
    return false;
}

bool CAlbumElementRow::Draw(CAlbumData *, CAlbumPage *, PdfContents *, double *, int)
{
    return false;
}

double CAlbumElementRow::DrawStamp(CAlbumStamp *, PdfContents *, double, double, CAlbumElementRow *)
{
    return 0;
}
