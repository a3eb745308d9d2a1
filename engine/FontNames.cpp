// The table of the eight standard PDF base font names.
#include "FontNames.h"

const char *const FONT_NAMES[8] = {
    "Times-Roman", "Times-Bold", "Times-Italic", "Times-BoldItalic",
    "Helvetica", "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique",
};
