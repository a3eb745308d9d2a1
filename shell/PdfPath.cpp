// The PDF file's path derived from the description file's path.
#include "PdfPath.h"

FXString PdfPathFor(const FXString &albumFileName)
{
    // before() gives the whole string when there is no '.'.
    return albumFileName.before('.', 1) + ".pdf";
}

FXbool PdfWouldReplaceAlbum(const FXString &albumFileName, const FXString &pdfPath)
{
    return pdfPath == albumFileName;
}
