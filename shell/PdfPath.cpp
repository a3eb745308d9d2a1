// The PDF file's path derived from the description file's path.
#include "PdfPath.h"

#include <sys/stat.h>

namespace {

// Where the file name's first '.' stands, or -1 when it has none. The search
// starts after the last '/' (rfind gives -1 when there is none, so a bare
// name is searched from its start) and after the dots that open a hidden
// file's name.
FXint NameDot(const FXString &path)
{
    FXint pos = path.rfind('/') + 1;
    while (pos < path.length() && path[pos] == '.')
        pos++;
    return path.find('.', pos);
}

}  // namespace

FXString PdfPathFor(const FXString &albumFileName)
{
    const FXint dot = NameDot(albumFileName);
    return (dot < 0 ? albumFileName : albumFileName.left(dot)) + ".pdf";
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
