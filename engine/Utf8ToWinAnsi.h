// Turning a UTF-8 description text into the single-byte code page 1252
// (WinAnsi) that the PDF fonts draw; any other text is left as it is.
#pragma once

#include <string>

// Converts text in place to code page 1252 when it is well-formed UTF-8 (no
// overlong forms, no surrogates, nothing above U+10FFFF, no sequence cut
// short) holding at least one multi-byte sequence, and drops a byte-order
// mark at its very start. Each character becomes its code page 1252 byte,
// or '?' when the code page lacks it. Every other text, plain ASCII and code
// page 1252 included, stays byte for byte. Each character becomes one byte,
// so ASCII characters, line feeds above all, keep their order and count.
void ConvertUtf8ToWinAnsi(std::string &text);
