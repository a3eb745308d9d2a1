// The eight standard PDF base fonts that a font specifier selects, by index.
#pragma once

// Index 0 to 7: TN, TB, TI, TS (Times), HN, HB, HI, HS (Helvetica).
extern const char *const FONT_NAMES[8];
