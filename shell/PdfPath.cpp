// The PDF file's path derived from the description file's path.
#include "PdfPath.h"

#include <sys/stat.h>

FXString PdfPathFor(const FXString &albumFileName)
{
    // before() gives the whole string when there is no '.'.
    return albumFileName.before('.', 1) + ".pdf";
}

FXbool PdfWouldReplaceAlbum(const FXString &albumFileName, const FXString &pdfPath)
{
    if (pdfPath == albumFileName)
        return TRUE;
    // Two names of one file: a link from the PDF's name to the description
    // (symbolic, followed here as the write would follow it, or hard).
    struct stat album, pdf;
    return stat(albumFileName.text(), &album) == 0 && stat(pdfPath.text(), &pdf) == 0 &&
           album.st_dev == pdf.st_dev && album.st_ino == pdf.st_ino;
}
