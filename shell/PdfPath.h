// The name of the PDF file written for an album description file.
#ifndef PDFPATH_H
#define PDFPATH_H

#include <fx.h>

// The description's path up to its first '.' (the whole path when it has
// none), followed by ".pdf". The first '.' decides, also in a directory name.
FXString PdfPathFor(const FXString &albumFileName);

// TRUE when writing pdfPath would overwrite the description file itself:
// the same path, or a link between the two names.
FXbool PdfWouldReplaceAlbum(const FXString &albumFileName, const FXString &pdfPath);

#endif
