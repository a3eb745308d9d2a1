// The name of the PDF file written for an album description file.
#ifndef PDFPATH_H
#define PDFPATH_H

#include <fx.h>

// The description's path with its file name cut at the name's first '.',
// followed by ".pdf"; a name without a '.' is kept whole. Only the file name
// is looked at, so the PDF always lands beside its description whatever the
// directory names hold, and the dots that start a hidden file's name do not
// count: "/albums/europe.2006.txt" gives "/albums/europe.pdf",
// "/home/j.smith/europe.txt" "/home/j.smith/europe.pdf" and
// "/albums/.album.txt" "/albums/.album.pdf".
FXString PdfPathFor(const FXString &albumFileName);

// TRUE when writing pdfPath would overwrite the description file itself:
// the same path, or a link between the two names.
FXbool PdfWouldReplaceAlbum(const FXString &albumFileName, const FXString &pdfPath);

#endif
