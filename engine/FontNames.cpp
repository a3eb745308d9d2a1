// The base font names, in font-index order.
#include "FontNames.h"

const char *const FONT_NAMES[8] = {
    "Times-Roman", "Times-Bold", "Times-Italic", "Times-BoldItalic",
    "Helvetica", "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique",
};
