// Reading decimal numbers out of description lines the way a "%lf" scan does,
// but always with '.' as the decimal point, whatever the process locale.
#pragma once

// Skips white space, then reads one number: an optional sign, decimal digits
// with an optional '.', and an optional exponent (e or E, optional sign,
// digits). Returns the position just after the number and stores its value,
// or returns null and leaves *value alone when no number stands there.
// "inf", "nan" and hexadecimal forms are not numbers ("0x10" reads 0 and stops
// at the 'x'). An exponent mark without digits is not part of the value but
// is passed over with its sign ("5e+ 3" reads 5, and the next number is 3).
// A value too small for a double reads as 0; one too large for it (beyond
// about 1.8e308) is no number.
const char *ScanNumber(const char *text, double *value);

// Reads up to count numbers one after the other, as "%lf%lf..." does, and
// returns how many were read before the first that could not be.
int ScanNumbers(const char *text, double *values, int count);
