// Locale-independent scanning of decimal numbers.
#include "NumberScan.h"

#include <charconv>
#include <system_error>

namespace {

// White space as the "C" locale knows it, so no locale can widen it.
bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

const char *SkipDigits(const char *p)
{
    while (IsDigit(*p))
        ++p;
    return p;
}

// The end of the unsigned number that starts at p, or null when none does.
const char *EndOfNumber(const char *p)
{
    const char *afterInteger = SkipDigits(p);
    bool hasDigits = afterInteger != p;
    const char *end = afterInteger;
    if (*end == '.') {
        const char *afterFraction = SkipDigits(end + 1);
        hasDigits = hasDigits || afterFraction != end + 1;
        end = afterFraction;
    }
    if (!hasDigits)
        return nullptr;
    if (*end == 'e' || *end == 'E') {
        const char *exponent = end + 1;
        if (*exponent == '+' || *exponent == '-')
            ++exponent;
        if (IsDigit(*exponent))
            end = SkipDigits(exponent);
    }
    return end;
}

}  // namespace

const char *ScanNumber(const char *text, double *value)
{
    const char *p = text;
    while (IsSpace(*p))
        ++p;
    bool negative = *p == '-';
    if (*p == '+' || *p == '-')
        ++p;
    const char *end = EndOfNumber(p);
    if (!end)
        return nullptr;
    // from_chars ignores the locale; the span is already known to be a
    // plain decimal number, so it reads all of it or reports the range.
    double magnitude = 0;
    std::from_chars_result result = std::from_chars(p, end, magnitude, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != end)
        return nullptr;
    *value = negative ? -magnitude : magnitude;
    return end;
}

int ScanNumbers(const char *text, double *values, int count)
{
    int read = 0;
    while (read < count) {
        text = ScanNumber(text, &values[read]);
        if (!text)
            break;
        ++read;
    }
    return read;
}
