// The description reader: line reads and numbering, text-mode line ends,
// cleaning, continuation, keywords, number scanning and linear time.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <locale>
#include <string>

#include "AlbumData.h"
#include "NumberScan.h"
#include "TestSupport.h"

namespace {

std::string Err(int line, const std::string &text)
{
    return "<R>Error in Line " + std::to_string(line) + ":<n> " + text + "\n";
}

std::string Unrecognised(int line)
{
    return "<R>Error in Line " + std::to_string(line) + ": <n>Unrecognised Command.\n";
}

const char *FirstParagraphLine()
{
    auto *text = dynamic_cast<CAlbumElementText *>(theAlbum.currentPage->firstElement);
    return text ? text->lines[0].c_str() : nullptr;
}

struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

}  // namespace

TEST(Reader, LineNumbersCountEveryRead)
{
    const std::string longComment = "#" + std::string(4999, 'x');  // read as 4094 + 906
    const std::string exactComment = "#" + std::string(4093, 'x');  // then a read of "\n" alone
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {"\n# comment\n  \t\nPAGE_START\nBOGUS\nBOGUS\n", Unrecognised(5)},
        {longComment + "\nPAGE_START\n", Unrecognised(2)},
        {exactComment + "\nBOGUS\n", Unrecognised(3)},
        {"PAGE_START\n\nPAGE_TEXT (XX 10 \"a\"\\\n\"b\"\\\n  \"c\" BAD\n", Err(5, "PAGE_TEXT parameters incorrect.")},
    };
    for (const auto &c : cases) {
        MessageCapture capture;
        EXPECT_EQ(ParseText(c.text), 1);
        EXPECT_EQ(capture.all(), c.message);
    }
}

TEST(Reader, TextModeLineEnds)
{
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
    // A carriage return not before a line feed is an ordinary character.
    EXPECT_EQ(ParseText("PAGE_START\r \n"), 1);
    // Ctrl-Z ends the file, also inside a line; a NUL ends the line's text.
    EXPECT_EQ(ParseText("PAGE_START\nPAGE_START\x1a BOGUS\nBOGUS\n"), 0);
    EXPECT_EQ(ParseText(std::string("PAGE_START\0BOGUS\nPAGE_START\n", 28)), 0);
    EXPECT_EQ(capture.all(), Unrecognised(1));
    EXPECT_EQ(gLineNumber, 2);
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

    // Joined up to 4094 characters from the first kept one, whatever the indent.
    const std::string head = std::string(1000, ' ') + "PAGE_TEXT (HN 10 \"" + std::string(2000, 'a') + "\"\\\n\"";
    const std::string fits(4094 - 2020, 'b');
    capture.clear();
    EXPECT_EQ(ParseText("PAGE_START\n" + head + fits + "\")\n"), 0);
    EXPECT_EQ(strlen(FirstParagraphLine()), 2000 + fits.size());
    EXPECT_EQ(ParseText("PAGE_START\n" + head + fits + "b\")\n"), 1);
    EXPECT_EQ(capture.all(), Err(3, "Bad line continuation."));

    const struct {
        std::string text;
        int line;
    } failures[] = {
        {"PAGE_START \"\\", 1},                     // mark on the last line
        {"PAGE_START\nPAGE_TEXT (HN 1 \"a\"\\\n\n\"b\")\n", 3},     // blank line
        {"PAGE_START\nPAGE_TEXT (HN 1 \"a\"\\\n# c\n\"b\")\n", 3},  // comment line
        {"X \"\\\nX \"\\\n", 2},                    // no opening quote
    };
    for (const auto &f : failures) {
        capture.clear();
        EXPECT_EQ(ParseText(f.text), 1);
        EXPECT_EQ(capture.all(), Err(f.line, "Bad line continuation."));
    }
}

TEST(Reader, KeywordsAreWholeTokensInAnyCase)
{
    MessageCapture capture;
    EXPECT_EQ(ParseText("page_start\n  Page_Start\t# c\nPAGE_START#c\nPAGE_START   \t\nPAGE_START"), 0);
    EXPECT_EQ(gLineNumber, 5);
    int pages = 0;
    for (CAlbumPage *p = theAlbum.firstPage; p; p = p->GetNext())
        ++pages;
    EXPECT_EQ(pages, 5);
    EXPECT_EQ(capture.all(), "");
    for (const char *line : {"PAGE_STARTX", "PAGE_STAR", "ALBUM_PAGES_SIZE(210 297)", "PAGE_START_VARX (1 1)"}) {
        capture.clear();
        EXPECT_EQ(ParseText(line), 1) << line;
        EXPECT_EQ(capture.all(), Unrecognised(1)) << line;
    }
    EXPECT_EQ(ParseText("PAGE_START_VAR (8 5)"), 0);
    EXPECT_DOUBLE_EQ(theAlbum.firstPage->hSpacing, 8 * MM_TO_POINTS);
}

TEST(Reader, CommentCutsInsideQuotes)
{
    MessageCapture capture;
    EXPECT_EQ(ParseText("PAGE_START\nPAGE_TEXT (HN 10 \"Issue #3\")\n"), 1);
    EXPECT_EQ(capture.all(), Err(2, "PAGE_TEXT parameters incorrect."));
}

TEST(Reader, NumbersIgnoreTheLocale)
{
    double v = -1;
    const struct {
        const char *text;
        double value;
        int used;  // 0: no number
    } cases[] = {
        {" +2.1e2x", 210, 7}, {"-.5", -0.5, 3}, {"5.", 5, 2}, {"0x10", 0, 1}, {"5e+", 5, 1},
        {"inf", 0, 0}, {"nan", 0, 0}, {".", 0, 0}, {"-", 0, 0}, {"1e999", 0, 0}, {"297,5", 297, 3},
    };
    for (const auto &c : cases) {
        const char *end = ScanNumber(c.text, &v);
        EXPECT_EQ(end ? end - c.text : 0, c.used) << c.text;
        if (end) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }

    // A comma-decimal locale: the system's, or one made on the spot; failing
    // both, at least the C++ global locale gets a comma.
    const char *locale = setlocale(LC_ALL, "de_DE.UTF-8");
    if (!locale) {
        setenv("LOCPATH", "/tmp/quillory-locale", 1);
        locale = setlocale(LC_ALL, "de_DE");
        if (!locale && system("mkdir -p /tmp/quillory-locale && localedef -i de_DE -f ISO-8859-1 "
                              "/tmp/quillory-locale/de_DE >/dev/null 2>&1") == 0)
            locale = setlocale(LC_ALL, "de_DE");
    }
    if (locale)
        EXPECT_STREQ(localeconv()->decimal_point, ",");
    else
        std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    MessageCapture capture;
    EXPECT_EQ(ParseText("ALBUM_PAGES_SIZE (210 297.5)"), 0);
    setlocale(LC_ALL, "C");
    std::locale::global(std::locale::classic());
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

    // Continuations that add nothing must not re-measure the joined line.
    std::string chain = "PAGE_START\nPAGE_TEXT (HN 10 \"" + std::string(4000, 'a') + "\"\\\n";
    for (int i = 0; i < 100000; ++i)
        chain += "\"\"\\\n";
    EXPECT_EQ(ParseText(chain + "\"\")"), 0);
    EXPECT_EQ(gLineNumber, 100003);
}
