// The eight standard PDF base fonts, indexed by the font specifier's number.
#pragma once

// TN, TB, TI, TS, HN, HB, HI, HS in this order.
extern const char *const FONT_NAMES[8];
