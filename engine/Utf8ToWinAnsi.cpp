// UTF-8 to code page 1252: validating and decoding UTF-8 sequences and
// mapping each character to its one byte.
#include "Utf8ToWinAnsi.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// The characters that code page 1252 places at 0x80 to 0x9F, in byte order;
// 0 marks the five bytes it leaves unassigned.
const uint16_t WIN_ANSI_80_TO_9F[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88-8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98-9F
};

const char BYTE_ORDER_MARK[] = "\xEF\xBB\xBF";
// The high bit of each of eight bytes: none is set in eight ASCII bytes.
constexpr uint64_t ASCII_MASK = 0x8080808080808080u;

// The lead byte of each multi-byte sequence: the bits that mark it, its
// length, and the smallest character it may carry (less would be an
// overlong form).
struct LeadByte {
    unsigned char mask, mark;
    size_t length;
    uint32_t smallest;
};

const LeadByte LEAD_BYTES[] = {{0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}};

const LeadByte *FindLeadByte(unsigned char byte)
{
    for (const LeadByte &lead : LEAD_BYTES)
        if ((byte & lead.mask) == lead.mark)
            return &lead;
    return nullptr;  // a continuation byte or 0xF8-0xFF
}

// Decodes the sequence that the size bytes at text start with (size > 0):
// its length in bytes, with the character in *codePoint, or 0 when the
// sequence is malformed.
size_t DecodeSequence(const char *text, size_t size, uint32_t *codePoint)
{
    const unsigned char first = static_cast<unsigned char>(text[0]);
    *codePoint = first;
    if (first < 0x80)
        return 1;
    const LeadByte *lead = FindLeadByte(first);
    if (!lead || size < lead->length)
        return 0;
    *codePoint = first & ~lead->mask & 0xFF;
    for (size_t k = 1; k < lead->length; ++k) {
        const unsigned char byte = static_cast<unsigned char>(text[k]);
        if ((byte & 0xC0) != 0x80)
            return 0;
        *codePoint = (*codePoint << 6) | (byte & 0x3F);
    }
    const bool surrogate = *codePoint >= 0xD800 && *codePoint <= 0xDFFF;
    if (*codePoint < lead->smallest || surrogate || *codePoint > 0x10FFFF)
        return 0;
    return lead->length;
}

// The code page 1252 byte of a Unicode character, or '?' when the code page
// has none. A NUL stays a NUL byte (the reader ends a line's text there, as
// in any other file), and so does every other ASCII control. The C1 controls
// U+0080-U+009F have no place in code page 1252, whose bytes 0x80-0x9F hold
// printable characters instead, so they become '?' like any other character
// the code page lacks.
char WinAnsiByte(uint32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    for (int k = 0; k < 32; ++k)
        if (WIN_ANSI_80_TO_9F[k] == codePoint)
            return static_cast<char>(0x80 + k);
    return '?';
}

bool AreEightAscii(const char *bytes)
{
    uint64_t eight;
    memcpy(&eight, bytes, 8);
    return (eight & ASCII_MASK) == 0;
}

// True when text is well-formed UTF-8 holding at least one multi-byte
// sequence: only then is it taken to be UTF-8.
bool IsMultiByteUtf8(const std::string &text)
{
    bool multiByte = false;
    uint32_t codePoint;
    for (size_t at = 0; at < text.size();) {
        // Runs of ASCII, the bulk of any description, are passed over eight
        // bytes at a time.
        if (text.size() - at >= 8 && AreEightAscii(text.data() + at)) {
            at += 8;
            continue;
        }
        const size_t length = DecodeSequence(text.data() + at, text.size() - at, &codePoint);
        if (length == 0)
            return false;
        multiByte = multiByte || length > 1;
        at += length;
    }
    return multiByte;
}

}  // namespace

size_t Utf8CharacterLength(const char *text, size_t size)
{
    uint32_t codePoint;
    return size == 0 ? 0 : DecodeSequence(text, size, &codePoint);
}

void ConvertUtf8ToWinAnsi(std::string &text)
{
    if (!IsMultiByteUtf8(text))
        return;
    size_t from = text.compare(0, 3, BYTE_ORDER_MARK) == 0 ? 3 : 0;
    size_t to = 0;
    uint32_t codePoint;
    // Every sequence shrinks to one byte, so the text is rewritten in place.
    while (from < text.size()) {
        if (static_cast<unsigned char>(text[from]) < 0x80) {
            text[to++] = text[from++];
            continue;
        }
        from += DecodeSequence(text.data() + from, text.size() - from, &codePoint);
        text[to++] = WinAnsiByte(codePoint);
    }
    text.resize(to);
}
