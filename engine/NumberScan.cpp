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

// The end of the digits and the optional '.' and fraction that start at p,
// or null when there is not a single digit.
const char *EndOfMantissa(const char *p)
{
    const char *afterInteger = SkipDigits(p);
    bool hasDigits = afterInteger != p;
    const char *end = afterInteger;
    if (*end == '.') {
        const char *afterFraction = SkipDigits(end + 1);
        hasDigits = hasDigits || afterFraction != end + 1;
        end = afterFraction;
    }
    return hasDigits ? end : nullptr;
}

// The end of the exponent that may start at p (at the end of the mantissa):
// e or E, an optional sign and digits. *valueEnd is set to where the value's
// text ends: after the digits, or at p when there are none. Like "%lf", the
// scan still consumes a dangling mark and its sign ("210e 297" reads 210,
// then 297), so the returned end may lie beyond *valueEnd.
const char *EndOfExponent(const char *p, const char **valueEnd)
{
    *valueEnd = p;
    if (*p != 'e' && *p != 'E')
        return p;
    const char *q = p + 1;
    if (*q == '+' || *q == '-')
        ++q;
    if (IsDigit(*q))
        *valueEnd = q = SkipDigits(q);
    return q;
}

// The count of digits before the decimal point of the plain decimal number
// in [p, end) (or minus the zeros that lead its fraction), shifted by its
// exponent: far above zero for a value too large for a double, far below
// for one too small. Only its sign is used, to tell the two apart.
long DecimalMagnitude(const char *p, const char *end)
{
    long integerDigits = 0;
    long leadingFractionZeros = 0;
    bool seenNonZero = false;
    bool inFraction = false;
    for (; p < end && *p != 'e' && *p != 'E'; ++p) {
        if (*p == '.') {
            inFraction = true;
        } else if (*p != '0' || seenNonZero) {
            seenNonZero = true;
            if (!inFraction)
                ++integerDigits;
        } else if (inFraction) {
            ++leadingFractionZeros;
        }
    }
    long exponent = 0;
    if (p < end) {
        ++p;
        bool negativeExponent = *p == '-';
        if (*p == '+' || *p == '-')
            ++p;
        // Saturated: a billion already lies far beyond any double.
        for (; p < end && exponent < 1000000000L; ++p)
            exponent = exponent * 10 + (*p - '0');
        if (negativeExponent)
            exponent = -exponent;
    }
    return exponent + (integerDigits > 0 ? integerDigits : -leadingFractionZeros);
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
    const char *mantissaEnd = EndOfMantissa(p);
    if (!mantissaEnd)
        return nullptr;
    const char *valueEnd;
    const char *end = EndOfExponent(mantissaEnd, &valueEnd);
    // from_chars ignores the locale; the span is already known to be a
    // plain decimal number, so it reads all of it or reports the range.
    double magnitude = 0;
    std::from_chars_result result = std::from_chars(p, valueEnd, magnitude, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range && DecimalMagnitude(p, valueEnd) <= 0)
        magnitude = 0;  // too small for a double: "%lf" reads it as zero
    else if (result.ec != std::errc() || result.ptr != valueEnd)
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
