// Names for libharu's error codes, which come without any text of their own.
#pragma once

#include <string>

// "PDF library error 0x1056: page value out of range"; codes libharu does
// not define are named "unknown error".
std::string PdfErrorText(unsigned long code);
