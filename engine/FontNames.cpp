// The font specifier and base font name tables, side by side.
#include "FontNames.h"

const char *const FONT_SPECIFIERS[FONT_COUNT] = {"TN", "TB", "TI", "TS", "HN", "HB", "HI", "HS"};

const char *const FONT_NAMES[FONT_COUNT] = {
    "Times-Roman", "Times-Bold", "Times-Italic", "Times-BoldItalic",
    "Helvetica", "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique",
};

int FontIndexOfSpecifier(const char *text)
{
    // text[1] is read only when text[0] matched, so never past a terminator.
    for (int index = 0; index < FONT_COUNT; ++index)
        if (text[0] == FONT_SPECIFIERS[index][0] && text[1] == FONT_SPECIFIERS[index][1])
            return index;
    return -1;
}

bool IsFontIndex(int font)
{
    return font >= 0 && font < FONT_COUNT;
}
