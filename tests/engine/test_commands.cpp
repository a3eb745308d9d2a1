// The command handlers: acceptance, model values and every rejection message.
#include <gtest/gtest.h>

#include <string>

#include "AlbumData.h"
#include "ContentCommands.h"
#include "FontNames.h"
#include "TestSupport.h"

namespace {

std::string Err(int line, const std::string &text)
{
    return "<R>Error in Line " + std::to_string(line) + ":<n> " + text + "\n";
}

const std::string PAGE_AND_ROW = "PAGE_START\nROW_START_ES (HN 6 0.1)\n";

// Counts of what a parse put into the album, to see that a rejection added nothing.
std::string Census()
{
    int pages = 0, elements = 0, stamps = 0;
    for (CAlbumPage *p = theAlbum.firstPage; p; p = p->GetNext(), ++pages)
        for (CAlbumElement *e = p->firstElement; e; e = e->GetNext(), ++elements)
            if (auto *row = dynamic_cast<CAlbumElementRow *>(e))
                for (CAlbumStamp *s = row->firstStamp; s; s = s->GetNext())
                    ++stamps;
    return std::to_string(pages) + "/" + std::to_string(elements) + "/" + std::to_string(stamps) +
           (theAlbum.titleText ? "/title" : "") + (theAlbum.sizeSet ? "/size" : "");
}

}  // namespace

TEST(Commands, SettingsTakeNumbersAsWritten)
{
    MessageCapture capture;
    EXPECT_EQ(ParseText("ALBUM_PAGES_SIZE (210.0 297.0"), 0);
    EXPECT_DOUBLE_EQ(theAlbum.pageWidth, 595.35);
    EXPECT_DOUBLE_EQ(theAlbum.pageHeight, 841.995);
    EXPECT_EQ(ParseText("ALBUM_PAGES_SIZE (2.1e2 297,5) more"), 0);
    EXPECT_DOUBLE_EQ(theAlbum.pageWidth, 595.35);
    EXPECT_DOUBLE_EQ(theAlbum.pageHeight, 841.995);
    EXPECT_EQ(ParseText("ALBUM_PAGES_BORDER (-1 0 +2)\nALBUM_PAGES_SPACING (3 4 5)\nPAGE_START_VAR (0 8)"), 0);
    EXPECT_DOUBLE_EQ(theAlbum.borderOuter, -MM_TO_POINTS);
    EXPECT_DOUBLE_EQ(theAlbum.borderGap, 2 * MM_TO_POINTS);
    EXPECT_DOUBLE_EQ(theAlbum.vSpacing, 4 * MM_TO_POINTS);
    EXPECT_DOUBLE_EQ(theAlbum.firstPage->vSpacing, 8 * MM_TO_POINTS);
    EXPECT_EQ(capture.all(), "");
}

TEST(Commands, MarginOrderDecidesEvenPages)
{
    MessageCapture capture;
    EXPECT_EQ(ParseText("ALBUM_PAGES_MARGINS (1 2 3 4)\nALBUM_PAGES_MARGINSE (5 6 7 8)"), 0);
    EXPECT_DOUBLE_EQ(theAlbum.oddLeft, MM_TO_POINTS);
    EXPECT_DOUBLE_EQ(theAlbum.evenBottom, 8 * MM_TO_POINTS);
    EXPECT_EQ(ParseText("ALBUM_PAGES_MARGINSE (5 6 7 8)\nALBUM_PAGES_MARGINS (1 2 3 4)"), 0);
    EXPECT_DOUBLE_EQ(theAlbum.evenBottom, 4 * MM_TO_POINTS);
    EXPECT_EQ(ParseText("ALBUM_PAGES_MARGINSE (5 6 7 8)"), 0);
    EXPECT_FALSE(theAlbum.marginsSet);
}

TEST(Commands, EachRejectionShowsOneExactMessageAndChangesNothing)
{
    const struct {
        std::string before, line, message;
    } cases[] = {
        {"", "ALBUM_PAGES_SIZE 210 297", "ALBUM_PAGES_SIZE parameters incorrect."},
        {"", "ALBUM_PAGES_SIZE", "ALBUM_PAGES_SIZE parameters incorrect."},
        {"", "ALBUM_PAGES_SIZE (210,297)", "ALBUM_PAGES_SIZE parameters incorrect."},
        {"", "ALBUM_PAGES_SIZE (0x10 5)", "ALBUM_PAGES_SIZE parameters incorrect."},
        {"", "ALBUM_PAGES_SIZE (inf 5)", "ALBUM_PAGES_SIZE parameters incorrect."},
        {"", "ALBUM_PAGES_MARGINS (1 2 3)", "ALBUM_PAGES_MARGINS parameters incorrect."},
        {"", "album_pages_marginse (1 2 3)", "ALBUM_PAGES_MARGINS parameters incorrect."},
        {"", "ALBUM_PAGES_BORDER (1 2)", "ALBUM_PAGES_BORDER parameters incorrect."},
        {"", "ALBUM_PAGES_SPACING (1)", "ALBUM_PAGES_SPACING parameters incorrect."},
        {"", "PAGE_START ()", "PAGE_START should not have any parameters."},
        {"", "PAGE_START_VAR (1)", "PAGE_START_VAR parameters incorrect."},
        {"", "ALBUM_FONT_WINDOWS x", "ALBUM_FONT_WINDOWS should not have any parameters."},
        {"", "ROW_ALIGN_TOP x", "ROW_ALIGN_TOP should not have any parameters."},
        {"", "row_align_bottom x", "ROW_ALIGN_BOTTOM should not have any parameters."},
        {"", "ALBUM_PAGES_TITLE (TB 16 \"unclosed", "ALBUM_PAGES_TITLE parameters incorrect."},
        {"", "PAGE_TEXT (", "PAGE_TEXT attempting to add text before a page has been declared. "
                            "Place this command after a PAGE_START command"},
        {"", "PAGE_TEXT_CENTRE", "PAGE_TEXT_CENTRE attempting to add text before a page has been declared. "
                                 "Place this command after a PAGE_START command"},
        {"", "row_start_js (HN 6 1)", "ROW_START_JS attempting to add a row before a page has been declared. "
                                      "Place this command after a PAGE_START command"},
        {"", "ROW_START_FS", "ROW_START_FS attempting to add a row before a page has been declared. "
                             "Place this command after a PAGE_START command"},
        {"PAGE_START\n", "STAMP_ADDX (1 1)", "STAMP_ADDX attempting to add a stamp before a row has been declared. "
                                             "Place this command after a ROW_START command"},
        {"", "STAMP_ADD_TRIANGLE", "STAMP_ADD_TRIANGLE attempting to add a stamp before a row has been declared. "
                                   "Place this command after a ROW_START command"},
        {"PAGE_START\n", "PAGE_TEXT (HN 10.5 \"a\")", "PAGE_TEXT parameters incorrect."},
        {"PAGE_START\n", "PAGE_TEXT_CENTRE (HN 10 \"a\\\")", "PAGE_TEXT_CENTRE parameters incorrect."},
        {"PAGE_START\n", "ROW_START_ES HN 6 1", "ROW_START_ES parameters incorrect."},
        {"PAGE_START\n", "ROW_START_FS (HN 6 0,1 6)", "ROW_START_FS parameters incorrect."},
        {PAGE_AND_ROW, "STAMP_ADD (50 28 \"\" \"\" \"\" \"\" \"\")", "STAMP_ADD parameters incorrect."},
        {PAGE_AND_ROW, "STAMP_ADD (50,28 \"\" \"\" \"\" \"\" \"\" \"\")", "STAMP_ADD parameters incorrect."},
        {PAGE_AND_ROW, "STAMP_ADDX (50 28 \"\" \"\" \"\" \"\" \"\" \"\")", "STAMP_ADDX parameters incorrect."},
        {PAGE_AND_ROW, "STAMP_ADD_TRIANGLE (50 28)", "STAMP_ADD_TRIANGLE parameters incorrect."},
        {PAGE_AND_ROW, "STAMP_ADD (50 28 \"a#b\" \"\" \"\" \"\" \"\" \"\")", "STAMP_ADD parameters incorrect."},
    };
    for (const auto &c : cases) {
        MessageCapture capture;
        ASSERT_EQ(ParseText(c.before), 0);
        const std::string census = Census();
        EXPECT_EQ(ParseText(c.before + "ALBUM_PAGES_SIZE (1 1)\n" + c.line + "\nBOGUS\n"), 1) << c.line;
        std::string message = Err(c.before.empty() ? 2 : c.before == PAGE_AND_ROW ? 4 : 3, c.message);
        if (c.message == "ROW_START_FS parameters incorrect.")
            message.erase(message.find("<n>") + 3, 1);  // its one message without the blank
        EXPECT_EQ(capture.all(), message) << c.line;
        EXPECT_EQ(Census(), census + "/size") << c.line;
    }
}

TEST(Commands, FontSpecifiers)
{
    const struct {
        const char *text;
        int font, size;
    } cases[] = {
        {"TN1", 0, 1}, {" HS  256 \"", 7, 256}, {"HI007", 6, 7}, {"TB 12.5", 1, 12},
        {"HN 257", -1, 0}, {"HN 0", -1, 0}, {"HN +5", -1, 0}, {"HN -5", -1, 0}, {"HN", -1, 0},
        {"hn 5", -1, 0}, {"H N 5", -1, 0}, {"XX 5", -1, 0}, {"T", -1, 0},
        {"HN 99999999999999999999999999999999999999", -1, 0},
    };
    for (const auto &c : cases) {
        int font = 99, size = 99;
        const char *rest = ParseFontSpecifier(c.text, &font, &size);
        EXPECT_EQ(font, c.font) << c.text;
        if (font >= 0) {
            EXPECT_EQ(size, c.size) << c.text;
            EXPECT_TRUE(*rest == '"' || *rest == '.' || *rest == '\0') << c.text;
        }
    }
    EXPECT_STREQ(FONT_NAMES[1], "Times-Bold");
    EXPECT_STREQ(FONT_NAMES[7], "Helvetica-BoldOblique");
}

TEST(Commands, QuotedTexts)
{
    MessageCapture capture;
    EXPECT_EQ(ParseText("ALBUM_PAGES_TITLE (TB 16 \"Old\")\nALBUM_PAGES_TITLE (HS12\"Trans\\\"vaal\") x\n"
                        "PAGE_START\nPAGE_TEXT_CENTRE (HS 12 \"First\\nSay \\\"hi\\\"\\\\\\n\")\n"
                        "PAGE_TEXT (TN 8 \"\")\n"),
              0);
    EXPECT_STREQ(theAlbum.titleText.get(), "Trans\\");
    EXPECT_EQ(theAlbum.titleFont, 7);
    EXPECT_EQ(theAlbum.titleSize, 12);
    auto *centred = static_cast<CAlbumElementText *>(theAlbum.firstPage->firstElement);
    EXPECT_TRUE(centred->centred);
    EXPECT_EQ(centred->lines, (std::vector<std::string>{"First", "Say \"hi\"\\", ""}));
    auto *empty = static_cast<CAlbumElementText *>(centred->GetNext());
    EXPECT_FALSE(empty->centred);
    EXPECT_EQ(empty->lines, std::vector<std::string>{""});

    const std::string forty(40, 'x');
    EXPECT_EQ(ParseText(PAGE_AND_ROW + "STAMP_ADDX (20 30, \"" + forty + "\",\"a\\\" x \"b\" \"\" \"\" \"\" \"\" \"\" \"9\" \"10\""), 0);
    CAlbumStamp *stamp = theAlbum.currentRow->firstStamp;
    EXPECT_STREQ(stamp->inside[0].get(), std::string(32, 'x').c_str());
    EXPECT_STREQ(stamp->inside[1].get(), "a\\");
    EXPECT_STREQ(stamp->inside[2].get(), "b");
    EXPECT_STREQ(stamp->below2[2].get(), "9");
    EXPECT_EQ(ParseText(PAGE_AND_ROW + "STAMP_ADD_TRIANGLE (1 2 \"\" \"\" \"\" \"\" \"\" \"\" \"\")"), 0);
    stamp = theAlbum.currentRow->firstStamp;
    EXPECT_TRUE(stamp->triangle);
    EXPECT_STREQ(stamp->below[2].get(), "");
    EXPECT_EQ(stamp->below2[0], nullptr);
    EXPECT_EQ(capture.all(), "");
}

TEST(Commands, RowsAndPages)
{
    MessageCapture capture;
    EXPECT_EQ(ParseText("PAGE_START\nROW_START_JS (HB 10.5 7)\nROW_ALIGN_BOTTOM\nROW_START_FS (HN 6 0.1 6.0\n"
                        "STAMP_ADD (1 20 \"\" \"\" \"\" \"\" \"\" \"\")\nPAGE_START\n"
                        "STAMP_ADD (1 30 \"\" \"\" \"\" \"\" \"\" \"\")\n"),
              0);
    auto *first = static_cast<CAlbumElementRow *>(theAlbum.firstPage->firstElement);
    EXPECT_EQ(first->spacingMode, ROW_SPACING_JUSTIFIED);
    EXPECT_EQ(first->size, 10);
    EXPECT_DOUBLE_EQ(first->borderWidth, 0.5 * MM_TO_POINTS);
    EXPECT_TRUE(first->alignTop);
    auto *fixed = static_cast<CAlbumElementRow *>(first->GetNext());
    EXPECT_EQ(fixed->spacingMode, ROW_SPACING_FIXED);
    EXPECT_DOUBLE_EQ(fixed->fixedSpace, 6 * MM_TO_POINTS);
    EXPECT_FALSE(fixed->alignTop);
    // The stamp after the second PAGE_START joined the row on page one.
    EXPECT_EQ(theAlbum.lastPage->firstElement, nullptr);
    EXPECT_DOUBLE_EQ(fixed->maxFrameHeight, 30 * MM_TO_POINTS);
    EXPECT_EQ(fixed->lastStamp->prev, fixed->firstStamp);

    // Clearing keeps the bottom alignment for the next parse.
    EXPECT_EQ(ParseText("PAGE_START\nROW_START_ES (HN 6 0,1) x"), 0);
    EXPECT_EQ(theAlbum.currentRow->borderWidth, 0);
    EXPECT_FALSE(theAlbum.currentRow->alignTop);
    EXPECT_EQ(theAlbum.titleFont, -1);
    EXPECT_EQ(ParseText("ROW_ALIGN_TOP"), 0);
    EXPECT_TRUE(theAlbum.alignTop);
    EXPECT_EQ(capture.all(), "");
}
