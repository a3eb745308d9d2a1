// The description reader: line reads and numbering, text-mode line ends,
// continuation, keywords, number scanning and linear time.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

#include "AlbumData.h"
#include "NumberScan.h"
#include "TestSupport.h"

namespace {

std::string Unrecognised(int line)
{
    return "<R>Error in Line " + std::to_string(line) + ": <n>Unrecognised Command.\n";
}

const char *FirstParagraphLine()
{
    return static_cast<CAlbumElementText *>(theAlbum.currentPage->firstElement)->lines[0].c_str();
}

}  // namespace

TEST(Reader, LineNumbersCountEveryRead)
{
    const struct {
        std::string text, message;
    } cases[] = {
        {"\n# comment\n  \t\nPAGE_START\nBOGUS\nBOGUS\n", Unrecognised(5)},
        {"#" + std::string(4999, 'x') + "\nPAGE_START\n", Unrecognised(2)},  // read as 4094 + 906
        {"#" + std::string(4093, 'x') + "\nBOGUS\n", Unrecognised(3)},       // then "\n" alone
        {"PAGE_START\n\nPAGE_TEXT (XX 10 \"a\"\\\n\"b\"\\\n  \"c\")\n", ParseError(5, "PAGE_TEXT parameters incorrect.")},
        {"PAGE_START\nPAGE_TEXT (HN 10 \"Issue #3\")\n", ParseError(2, "PAGE_TEXT parameters incorrect.")},
    };
    for (const auto &c : cases) {
        MessageCapture capture;
        EXPECT_EQ(ParseText(c.text), 1);
        EXPECT_EQ(capture.all(), c.message);
    }
}

TEST(Reader, TextModeLineEnds)
{
    // 4093 characters and CR LF make one read, as 4093 and LF do.
    const std::string lf = "ALBUM_PAGES_SIZE (210 297)\nPAGE_START\n" + std::string(4093, ' ') + "\nBOGUS\n";
    std::string crlf;
    for (char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const std::string &text : {lf, crlf}) {
        MessageCapture capture;
        EXPECT_EQ(ParseText(text), 1);
        EXPECT_EQ(capture.all(), Unrecognised(4));
        EXPECT_DOUBLE_EQ(theAlbum.pageHeight, 297 * MM_TO_POINTS);
    }
    MessageCapture capture;
    EXPECT_EQ(ParseText("PAGE_START\r \n"), 1);  // a lone CR is an ordinary character
    EXPECT_EQ(ParseText("PAGE_START\nPAGE_START\x1a BOGUS\nBOGUS\n"), 0);  // Ctrl-Z ends the file
    EXPECT_EQ(ParseText(std::string("PAGE_START\0BOGUS\nPAGE_START\n", 28)), 0);  // NUL ends the text
    EXPECT_EQ(capture.all(), Unrecognised(1));
    EXPECT_EQ(gLineNumber, 2);
}

TEST(Reader, ReadErrorEndsTheFileAndLosesTheBrokenLine)
{
    // A stream that gives its text once and then fails.
    struct Source {
        std::string text;
        bool given = false;
    };
    cookie_io_functions_t io = {};
    io.read = [](void *cookie, char *buffer, size_t size) -> ssize_t {
        Source *source = static_cast<Source *>(cookie);
        if (source->given)
            return -1;
        source->given = true;
        const size_t length = std::min(size, source->text.size());
        memcpy(buffer, source->text.data(), length);
        return static_cast<ssize_t>(length);
    };
    // The broken-off last line is not taken as a command (result 0), nor as
    // the continuation that a line asks for (the continuation fails).
    const struct {
        const char *text;
        int result;
        std::string message;
    } cases[] = {
        {"PAGE_START\nBOGUS", 0, ""},
        {"PAGE_START\nPAGE_TEXT (HN 10 \"a\"\\\n\"b", 1, ParseError(2, "Bad line continuation.")},
    };
    for (const auto &c : cases) {
        MessageCapture capture;
        Source source{c.text};
        FILE *file = fopencookie(&source, "r", io);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(ParseAlbumFile(file), c.result) << c.text;
        fclose(file);
        EXPECT_EQ(capture.all(), c.message);
        EXPECT_NE(theAlbum.firstPage, nullptr);
    }
}

TEST(Reader, ContinuationJoinsLines)
{
    MessageCapture capture;
    EXPECT_EQ(ParseText("PAGE_START\nPAGE_TEXT (HN 10 \"This is all \"\\\n\t\"one \"\\\n\"line of text\")"), 0);
    EXPECT_STREQ(FirstParagraphLine(), "This is all one line of text");
    // A comment right after the mark keeps it; a blank before the comment does not.
    EXPECT_EQ(ParseText("PAGE_START\nPAGE_TEXT (HN 10 \"a\"\\# c\n\"b\")"), 0);
    EXPECT_STREQ(FirstParagraphLine(), "ab");
    EXPECT_EQ(ParseText("PAGE_START\nPAGE_TEXT (HN 10 \"a\"\\ # c\n\"b\")"), 1);
    EXPECT_EQ(capture.all(), Unrecognised(3));

    // Up to 4094 characters from the first kept one, whatever the indent.
    const std::string head = std::string(1000, ' ') + "PAGE_TEXT (HN 10 \"" + std::string(2000, 'a') + "\"\\\n\"";
    const std::string fits(4094 - 2020, 'b');
    EXPECT_EQ(ParseText("PAGE_START\n" + head + fits + "\")\n"), 0);
    EXPECT_EQ(strlen(FirstParagraphLine()), 2000 + fits.size());
    const struct {
        std::string text;
        int line;
    } failures[] = {
        {"PAGE_START\n" + head + fits + "b\")\n", 3},              // one character too many
        {"PAGE_START \"\\", 1},                                     // mark on the last line
        {"PAGE_START\nPAGE_TEXT (HN 1 \"a\"\\\n\n\"b\")\n", 3},     // blank line
        {"PAGE_START\nPAGE_TEXT (HN 1 \"a\"\\\n# c\n\"b\")\n", 3},  // comment line
        {"X \"\\\nX \"\\\n", 2},                                    // no opening quote
    };
    for (const auto &f : failures) {
        capture.clear();
        EXPECT_EQ(ParseText(f.text), 1);
        EXPECT_EQ(capture.all(), ParseError(f.line, "Bad line continuation."));
    }
}

TEST(Reader, KeywordsAreWholeTokensInAnyCase)
{
    MessageCapture capture;
    EXPECT_EQ(ParseText("page_start\n  Page_Start\t# c\nPAGE_START#c\nPAGE_START   \t\nPAGE_START_VAR (8 5)"), 0);
    EXPECT_DOUBLE_EQ(theAlbum.lastPage->hSpacing, 8 * MM_TO_POINTS);
    EXPECT_EQ(theAlbum.lastPage->prev->prev->prev->prev, theAlbum.firstPage);
    EXPECT_EQ(capture.all(), "");
    for (const char *line : {"PAGE_STARTX", "PAGE_STAR", "ALBUM_PAGES_SIZE(210 297)", "PAGE_START_VARX (1 1)"}) {
        capture.clear();
        EXPECT_EQ(ParseText(line), 1);
        EXPECT_EQ(capture.all(), Unrecognised(1)) << line;
    }
}

TEST(Reader, NumbersIgnoreTheLocale)
{
    const struct {
        const char *text;
        double value;
        int used;  // 0: no number
    } cases[] = {
        {" +2.1e2x", 210, 7}, {"-.5", -0.5, 3}, {"5.", 5, 2}, {"0x10", 0, 1}, {"297,5", 297, 3},
        {"inf", 0, 0}, {"nan", 0, 0}, {".", 0, 0}, {"-", 0, 0}, {"1e999", 0, 0}, {"1000e306", 0, 0},
        // A dangling exponent mark is passed over; a value too small is zero.
        {"5e+", 5, 3}, {"210E 297", 210, 4}, {"1e-400", 0, 6}, {"-0.001e-321", 0, 11},
        {"1e-99999999999999999999", 0, 23}, {"1e-320", 1e-320, 6},
    };
    for (const auto &c : cases) {
        double v = 0;
        const char *end = ScanNumber(c.text, &v);
        EXPECT_EQ(end ? end - c.text : 0, c.used) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
    }

    MessageCapture scan;
    EXPECT_EQ(ParseText("ALBUM_PAGES_SIZE (210e 297)\nPAGE_START_VAR (1e-400 5e)\nALBUM_PAGES_SPACING (1e400 1)"), 1);
    EXPECT_EQ(scan.all(), ParseError(3, "ALBUM_PAGES_SPACING parameters incorrect."));
    EXPECT_DOUBLE_EQ(theAlbum.pageWidth, 210 * MM_TO_POINTS);
    EXPECT_DOUBLE_EQ(theAlbum.pageHeight, 297 * MM_TO_POINTS);
    EXPECT_EQ(theAlbum.firstPage->hSpacing, 0);
    EXPECT_DOUBLE_EQ(theAlbum.firstPage->vSpacing, 5 * MM_TO_POINTS);

    // A comma-decimal locale: the system's, or one made on the spot (made
    // before it is first asked for, since a failed look-up is remembered).
    if (!setlocale(LC_ALL, "de_DE.UTF-8")) {
        setenv("LOCPATH", "/tmp/quillory-locale", 1);
        if (system("test -d /tmp/quillory-locale/de_DE || (mkdir -p /tmp/quillory-locale && "
                   "localedef -i de_DE -f ISO-8859-1 /tmp/quillory-locale/de_DE 2>/dev/null)") == 0)
            setlocale(LC_ALL, "de_DE");
    }
    ASSERT_STREQ(localeconv()->decimal_point, ",") << "no comma-decimal locale could be made";
    MessageCapture capture;
    EXPECT_EQ(ParseText("ALBUM_PAGES_SIZE (210 297.5)"), 0);
    setlocale(LC_ALL, "C");
    unsetenv("LOCPATH");
    EXPECT_DOUBLE_EQ(theAlbum.pageHeight, 297.5 * MM_TO_POINTS);
}

TEST(Reader, LongInputsParseInLinearTime)
{
    MessageCapture capture;
    std::string many;
    for (int i = 0; i < 100000; ++i)
        many += "PAGE_START\n";
    EXPECT_EQ(ParseText(many), 0);
    EXPECT_EQ(gLineNumber, 100000);
    EXPECT_EQ(ParseText(std::string(1000000, ' ') + "\nBOGUS"), 1);
    EXPECT_EQ(capture.all(), Unrecognised(246));  // 245 pieces of the long line
    // Continuations that add nothing must not measure the joined line again.
    std::string chain = "PAGE_START\nPAGE_TEXT (HN 10 \"" + std::string(4000, 'a') + "\"\\\n";
    for (int i = 0; i < 100000; ++i)
        chain += "\"\"\\\n";
    EXPECT_EQ(ParseText(chain + "\"\")"), 0);
    EXPECT_EQ(gLineNumber, 100003);
}
