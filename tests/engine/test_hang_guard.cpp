// Generation of any accepted description ends: the descent of a word that no
// column can hold, columns of no or negative width, pages with thousands of
// elements, rows with thousands of stamps, titles far wider than the page and
// cursors far above it. Nothing here is timed against a limit (ctest's
// timeout guards against a hang); each case prints how long it took.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "AlbumData.h"
#include "AlbumPdf.h"
#include "TestSupport.h"

namespace {

// A5-sized settings with the given margins (left right top bottom) and spacing.
std::string Settings(const std::string &margins, const std::string &spacing = "5 5")
{
    return "ALBUM_PAGES_SIZE (148 210)\nALBUM_PAGES_MARGINS (" + margins + ")\nALBUM_PAGES_SPACING (" + spacing +
           ")\n";
}

std::string Repeat(const std::string &text, int count)
{
    std::string repeated;
    repeated.reserve(text.size() * count);
    for (int i = 0; i < count; ++i)
        repeated += text;
    return repeated;
}

// The longest paragraph line a description can carry: 4094 characters in
// all, the command around it included; a blank every stride characters
// when stride is not 0.
std::string LongestParagraph(const std::string &command, char fill, size_t stride = 0)
{
    const std::string head = command + " (HN 1 \"";
    std::string text(4094 - head.size() - 2, fill);
    for (size_t k = stride; stride && k < text.size(); k += stride)
        text[k - 1] = ' ';
    return head + text + "\")\n";
}

class HangGuard : public ::testing::Test {
protected:
    void SetUp() override { pdfPath_ = "/tmp/quillory-hang-guard-" + std::to_string(getpid()) + ".pdf"; }
    void TearDown() override { unlink(pdfPath_.c_str()); }

    // Parses and generates description, reports the time both took and
    // returns the number of texts the written PDF shows; expected is the
    // generation's result.
    size_t Generate(const char *name, const std::string &description, int expected = 0)
    {
        MessageCapture capture;
        unlink(pdfPath_.c_str());
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(ParseText(description), 0) << name << ": " << capture.all();
        const int result = CreateAlbumPdf(&theAlbum, pdfPath_.c_str());
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(result, expected) << name << ": " << capture.all();
        const size_t shown = ShownTexts();
        printf("[   time   ] %-48s %9.1f ms %7zu texts shown\n", name, took.count(), shown);
        return shown;
    }

    // The page content is not compressed, so every shown text is one "Tj".
    size_t ShownTexts() const
    {
        std::ifstream in(pdfPath_, std::ios::binary);
        const std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        size_t count = 0;
        for (size_t at = pdf.find(") Tj"); at != std::string::npos; at = pdf.find(") Tj", at + 1))
            ++count;
        return count;
    }

    std::string pdfPath_;
};

}  // namespace

TEST_F(HangGuard, WordsNoColumnCanHold)
{
    const std::string word = "PAGE_START\n" + LongestParagraph("PAGE_TEXT", 'W');
    Generate("one 4000-character word, ordinary column", Settings("10 10 10 10") + word);
    // The element area has no width, or a negative one.
    // Broken one character a piece down to the page's bottom edge.
    EXPECT_GT(Generate("column of width 0", Settings("69 69 10 10", "5 5") + word), 500u);
    Generate("column of negative width", Settings("100 100 10 10") + word);
    Generate("column of width 0, centred", Settings("69 69 10 10") + "PAGE_START\n" +
                                               LongestParagraph("PAGE_TEXT_CENTRE", 'W'));
    Generate("empty text in a column of negative width",
             Settings("100 100 10 10") + "PAGE_START\n" + Repeat("PAGE_TEXT (HN 1 \"\")\n", 5000));
}

TEST_F(HangGuard, LongLinesInNarrowColumns)
{
    // About one character per piece on a page of the greatest height the
    // library takes, so thousands of pieces are drawn.
    const std::string tall = "ALBUM_PAGES_SIZE (148 5000)\nALBUM_PAGES_MARGINS (69 78.5 1 1)\n"
                             "ALBUM_PAGES_SPACING (0 0)\nPAGE_START\n";
    EXPECT_GE(Generate("4094-char word, one-character column", tall + LongestParagraph("PAGE_TEXT", 'm')), 4000u);
    EXPECT_GE(Generate("4094-char line of words, narrow column", tall + LongestParagraph("PAGE_TEXT", 'i', 8)), 1000u);
    EXPECT_GE(Generate("4094-char line of one-letter words", tall + LongestParagraph("PAGE_TEXT", 'm', 2)), 2000u);
    std::string breaks = "PAGE_TEXT (HN 1 \"" + Repeat("a\\n", 1358) + "\")\n";
    EXPECT_EQ(Generate("paragraph of 1359 lines", tall + breaks), 1358u);
}

TEST_F(HangGuard, CursorFarAboveThePage)
{
    // A hugely negative top margin puts the cursor far above the page, or at
    // infinity, where taking a line's height off it changes nothing.
    const std::string content = "PAGE_START\n" + LongestParagraph("PAGE_TEXT", 'W') +
                                LongestParagraph("PAGE_TEXT", 'w', 5) +
                                "ROW_START_ES (HN 6 0.1)\nSTAMP_ADD (20 20 \"a\" \"\" \"\" \"b\" \"\" \"\")\n";
    Generate("cursor at 1e300 points", Settings("10 10 -1e300 10") + content);
    Generate("cursor at infinity", Settings("10 10 -1e308 10") + content);
    // Its left edge is inf - inf, which generation refuses as out of range.
    Generate("element area of infinite width", Settings("-1e308 -1e308 10 10", "1e308 1e308") + content, 1);
}

TEST_F(HangGuard, ThousandsOfElementsAndStamps)
{
    // A vertical spacing that gives back each paragraph's height, and frames
    // of no height, keep the cursor where it was: every element is drawn.
    std::string page = "PAGE_START\n";
    for (int i = 0; i < 5000; ++i)
        page += "PAGE_TEXT (HN 10 \"Paragraph of a few words that fits its column\")\n"
                "ROW_START_JS (HN 6 0.1)\nSTAMP_ADD (10 0 \"1d\" \"\" \"\" \"\" \"\" \"\")\n";
    EXPECT_EQ(Generate("10000 elements on one page, all drawn", Settings("10 10 10 10", "5 -3.528") + page), 10000u);
    Generate("10000 elements, most below the page", Settings("10 10 10 10") + page);
    const std::string tenElements = Repeat("PAGE_TEXT_CENTRE (TB 12 \"Title of the set\")\nROW_START_ES (HN 6 0.1)\n"
                                           "STAMP_ADD (20 25 \"a\" \"b\" \"c\" \"l\" \"c\" \"r\")\n", 5);
    EXPECT_EQ(Generate("2000 pages of 10 elements", Settings("10 10 10 10") + Repeat("PAGE_START\n" + tenElements, 2000)),
              2000u * 5 * 7);

    // Frames of no width never reach the page's edge, so all are drawn, with
    // every text they can hold.
    const std::string stamp = "STAMP_ADDX (0 10 \"in 1\" \"in 2\" \"in 3\" \"L\" \"C\" \"R\" \"L2\" \"C2\" \"R2\")\n";
    for (const char *row : {"ROW_START_ES", "ROW_START_JS", "ROW_START_FS"}) {
        const std::string start = std::string(row) + " (HN 6 0.1 0)\n";
        EXPECT_EQ(Generate((std::string("10000 stamps in one ") + row + " row").c_str(),
                           Settings("10 10 10 10") + "PAGE_START\n" + start + Repeat(stamp, 10000)),
                  90000u);
    }
    Generate("10000 triangles, bottom-aligned, past the edge",
             Settings("10 10 10 10") + "ROW_ALIGN_BOTTOM\nPAGE_START\nROW_START_JS (HN 6 0.1)\n" +
                 Repeat("STAMP_ADD_TRIANGLE (20 25 \"a\" \"\" \"\" \"\" \"b\" \"\")\n", 10000) + "ROW_ALIGN_TOP\n");
}

TEST_F(HangGuard, TitleFarWiderThanThePage)
{
    const std::string title = "ALBUM_PAGES_TITLE (TB 256 \"" + std::string(4000, 'W') + "\")\n";
    EXPECT_EQ(Generate("4000-character title at 256 points, 1000 pages",
                       Settings("10 10 10 10") + title + Repeat("PAGE_START\n", 1000)),
              1000u);
}
