// Turning a UTF-8 description text into the single-byte code page 1252
// (WinAnsi) that the PDF fonts draw; any other text is left as it is. The
// same test of a well-formed character serves the message pane.
#pragma once

#include <cstddef>
#include <string>

// The length in bytes of the well-formed UTF-8 character (no overlong form,
// no surrogate, nothing above U+10FFFF, not cut short) that the size bytes
// at text start with; 0 when they start with none.
size_t Utf8CharacterLength(const char *text, size_t size);

// Converts text in place to code page 1252 when it is well-formed UTF-8 (no
// overlong forms, no surrogates, nothing above U+10FFFF, no sequence cut
// short) holding at least one multi-byte sequence, and drops a byte-order
// mark at its very start. Each character becomes its code page 1252 byte,
// or '?' when the code page lacks it. Every other text, plain ASCII and code
// page 1252 included, stays byte for byte. Each character becomes one byte,
// so ASCII characters, line feeds above all, keep their order and count.
void ConvertUtf8ToWinAnsi(std::string &text);
