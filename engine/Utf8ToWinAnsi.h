// Turning a UTF-8 description text into the single-byte code page 1252
// (WinAnsi) that the PDF fonts draw; any other text is left as it is.
#pragma once

#include <cstdint>
#include <string>

// The code page 1252 byte of a Unicode character, or '?' when the code page
// has no such character.
char WinAnsiByte(uint32_t codePoint);

// True when text is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF, no sequence cut short) and holds at least one
// multi-byte sequence: only then is it taken to be UTF-8.
bool IsMultiByteUtf8(const std::string &text);

// Converts text in place to code page 1252 when it is UTF-8 as
// IsMultiByteUtf8 decides, dropping a byte-order mark at its very start.
// Every other text, plain ASCII and code page 1252 included, stays byte for
// byte. Each character becomes one byte, so ASCII characters, line feeds
// above all, keep their order and count.
void ConvertUtf8ToWinAnsi(std::string &text);
