// The eight standard fonts a font specifier selects: the specifier letters and
// the base font names, both in font-index order, and the specifier lookup.
#pragma once

constexpr int FONT_COUNT = 8;

// Index 0 to 7: TN, TB, TI, TS (Times), HN, HB, HI, HS (Helvetica).
extern const char *const FONT_SPECIFIERS[FONT_COUNT];
extern const char *const FONT_NAMES[FONT_COUNT];

// The font index of the two specifier letters at text, or -1. Case matters.
int FontIndexOfSpecifier(const char *text);

// TRUE for an index into FONT_NAMES; FALSE for -1 and any other value.
bool IsFontIndex(int font);
