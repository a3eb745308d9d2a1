// The command handlers: acceptance, model values and every rejection message.
#include <gtest/gtest.h>

#include <string>

#include "AlbumData.h"
#include "ContentCommands.h"
#include "TestSupport.h"

namespace {

const std::string PAGE_AND_ROW = "PAGE_START\nROW_START_ES (HN 6 0.1)\n";
const std::string SIX = " \"\" \"\" \"\" \"\" \"\" \"\"";  // six empty stamp texts

std::string NoPage(const std::string &name, const char *what)
{
    return name + " attempting to add " + what +
           " before a page has been declared. Place this command after a PAGE_START command";
}

std::string NoRow(const std::string &name)
{
    return name + " attempting to add a stamp before a row has been declared. Place this command after a ROW_START command";
}

// What a parse put into the album, to see that a rejection added nothing.
std::string Census()
{
    std::string census;
    for (CAlbumPage *p = theAlbum.firstPage; p; p = p->GetNext())
        for (CAlbumElement *e = p->firstElement; e; e = e->GetNext()) {
            auto *row = dynamic_cast<CAlbumElementRow *>(e);
            census += row ? (row->firstStamp ? "S" : "R") : "T";
        }
    return census + (theAlbum.titleText ? "/title" : "") + (theAlbum.sizeSet ? "/size" : "");
}

}  // namespace

TEST(Commands, SettingsTakeNumbersAsWritten)
{
    MessageCapture capture;
    EXPECT_EQ(ParseText("ALBUM_PAGES_SIZE (2.1e2 297,5) more\nALBUM_PAGES_BORDER (-1 0 +2\nPAGE_START_VAR (0 8)\n"
                        "ALBUM_PAGES_MARGINS (1 2 3 4)\nALBUM_PAGES_MARGINSE (5 6 7 8)"), 0);
    EXPECT_DOUBLE_EQ(theAlbum.pageWidth, 595.35);
    EXPECT_DOUBLE_EQ(theAlbum.pageHeight, 841.995);
    EXPECT_DOUBLE_EQ(theAlbum.borderOuter, -MM_TO_POINTS);
    EXPECT_DOUBLE_EQ(theAlbum.firstPage->vSpacing, 8 * MM_TO_POINTS);
    EXPECT_DOUBLE_EQ(theAlbum.oddLeft, MM_TO_POINTS);
    EXPECT_DOUBLE_EQ(theAlbum.evenBottom, 8 * MM_TO_POINTS);
    EXPECT_EQ(ParseText("ALBUM_PAGES_MARGINSE (5 6 7 8)\nALBUM_PAGES_MARGINS (1 2 3 4)"), 0);
    EXPECT_DOUBLE_EQ(theAlbum.evenBottom, 4 * MM_TO_POINTS);
    EXPECT_EQ(ParseText("ALBUM_PAGES_MARGINSE (5 6 7 8)"), 0);
    EXPECT_FALSE(theAlbum.marginsSet);
    EXPECT_EQ(capture.all(), "");
}

TEST(Commands, EachRejectionShowsOneExactMessageAndChangesNothing)
{
    const struct {
        std::string before, line, message;
    } cases[] = {
        {"", "ALBUM_PAGES_SIZE 210 297", "ALBUM_PAGES_SIZE parameters incorrect."},
        {"", "ALBUM_PAGES_SIZE (210,297)", "ALBUM_PAGES_SIZE parameters incorrect."},
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
        {"", "PAGE_TEXT (", NoPage("PAGE_TEXT", "text")},
        {"", "PAGE_TEXT_CENTRE", NoPage("PAGE_TEXT_CENTRE", "text")},
        {"", "row_start_js (HN 6 1)", NoPage("ROW_START_JS", "a row")},
        {"", "ROW_START_FS", NoPage("ROW_START_FS", "a row")},
        {"PAGE_START\n", "STAMP_ADDX (1 1)", NoRow("STAMP_ADDX")},
        {"", "STAMP_ADD_TRIANGLE", NoRow("STAMP_ADD_TRIANGLE")},
        {"PAGE_START\n", "PAGE_TEXT (HN 10.5 \"a\")", "PAGE_TEXT parameters incorrect."},
        {"PAGE_START\n", "PAGE_TEXT_CENTRE (HN 10 \"a\\\")", "PAGE_TEXT_CENTRE parameters incorrect."},
        {"PAGE_START\n", "ROW_START_ES HN 6 1", "ROW_START_ES parameters incorrect."},
        {"PAGE_START\n", "ROW_START_FS (HN 6 0,1 6)", "ROW_START_FS parameters incorrect."},
        {PAGE_AND_ROW, "STAMP_ADD (50 28 \"\" \"\" \"\" \"\" \"\")", "STAMP_ADD parameters incorrect."},
        {PAGE_AND_ROW, "STAMP_ADD (50 28 \"a#b\"" + SIX, "STAMP_ADD parameters incorrect."},
        {PAGE_AND_ROW, "STAMP_ADDX (50 28" + SIX, "STAMP_ADDX parameters incorrect."},
        {PAGE_AND_ROW, "STAMP_ADD_TRIANGLE (50 28)", "STAMP_ADD_TRIANGLE parameters incorrect."},
    };
    for (const auto &c : cases) {
        MessageCapture capture;
        ASSERT_EQ(ParseText(c.before), 0);
        const std::string census = Census();
        EXPECT_EQ(ParseText(c.before + "ALBUM_PAGES_SIZE (1 1)\n" + c.line + "\nBOGUS\n"), 1) << c.line;
        std::string message = ParseError(c.before.empty() ? 2 : c.before == PAGE_AND_ROW ? 4 : 3, c.message);
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
        {"TN1", 0, 1}, {" HS  256 \"", 7, 256}, {"HI007", 6, 7}, {"TB 12.5", 1, 12}, {"HN 257", -1, 0},
        {"HN 0", -1, 0}, {"HN +5", -1, 0}, {"HN -5", -1, 0}, {"HN", -1, 0}, {"hn 5", -1, 0},
        {"H N 5", -1, 0}, {"XX 5", -1, 0}, {"T", -1, 0}, {"HN 0000000000000000000000009", 4, 9},
        {"HN 99999999999999999999999999999999999999", -1, 0},
    };
    for (const auto &c : cases) {
        int font = 99, size = 99;
        const char *rest = ParseFontSpecifier(c.text, &font, &size);
        EXPECT_EQ(font, c.font) << c.text;
        EXPECT_EQ(size, c.font < 0 ? 0 : c.size) << c.text;
        EXPECT_TRUE(c.font < 0 || *rest == '"' || *rest == '.' || *rest == '\0') << c.text;
    }
}

TEST(Commands, QuotedTexts)
{
    MessageCapture capture;
    EXPECT_EQ(ParseText("ALBUM_PAGES_TITLE (TB 16 \"Old\")\nALBUM_PAGES_TITLE (HS12\"Trans\\\"vaal\") x\nPAGE_START\n"
                        "PAGE_TEXT_CENTRE (HS 12 \"First\\nSay \\\"hi\\\"\\\\\\n\")\nPAGE_TEXT (TN 8 \"\")\n"), 0);
    EXPECT_STREQ(theAlbum.titleText.get(), "Trans\\");  // no escapes in titles
    EXPECT_EQ(theAlbum.titleFont, 7);
    auto *centred = static_cast<CAlbumElementText *>(theAlbum.firstPage->firstElement);
    EXPECT_TRUE(centred->centred);
    EXPECT_EQ(centred->lines, (std::vector<std::string>{"First", "Say \"hi\"\\", ""}));
    EXPECT_EQ(static_cast<CAlbumElementText *>(centred->GetNext())->lines, std::vector<std::string>{""});

    const std::string forty(40, 'x');
    EXPECT_EQ(ParseText(PAGE_AND_ROW + "STAMP_ADDX (20 30, \"" + forty + "\",\"a\\\" x \"b\" \"\" \"\" \"\" \"\" \"\" \"9\" \"10\""), 0);
    CAlbumStamp *stamp = theAlbum.currentRow->firstStamp;
    EXPECT_EQ(stamp->inside[0].get(), std::string(32, 'x'));
    EXPECT_STREQ(stamp->inside[1].get(), "a\\");  // no escapes in stamp texts
    EXPECT_STREQ(stamp->below2[2].get(), "9");
    EXPECT_EQ(ParseText(PAGE_AND_ROW + "STAMP_ADD_TRIANGLE (1 2" + SIX + " \"\")"), 0);
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
                        "STAMP_ADD (1 20" + SIX + ")\nPAGE_START\nSTAMP_ADD (1 30" + SIX + ")\n"), 0);
    auto *first = static_cast<CAlbumElementRow *>(theAlbum.firstPage->firstElement);
    EXPECT_EQ(first->spacingMode, ROW_SPACING_JUSTIFIED);
    EXPECT_EQ(first->size, 10);
    EXPECT_DOUBLE_EQ(first->borderWidth, 0.5 * MM_TO_POINTS);
    EXPECT_TRUE(first->alignTop);
    auto *fixed = static_cast<CAlbumElementRow *>(first->GetNext());
    EXPECT_DOUBLE_EQ(fixed->fixedSpace, 6 * MM_TO_POINTS);
    EXPECT_FALSE(fixed->alignTop);
    // The stamp after the second PAGE_START joined the row on page one.
    EXPECT_EQ(theAlbum.lastPage->firstElement, nullptr);
    EXPECT_DOUBLE_EQ(fixed->maxFrameHeight, 30 * MM_TO_POINTS);
    EXPECT_EQ(fixed->lastStamp->prev, fixed->firstStamp);

    // The next parse starts with top alignment again.
    EXPECT_EQ(ParseText("PAGE_START\nROW_START_ES (HN 6 0,1) x"), 0);
    EXPECT_EQ(theAlbum.currentRow->borderWidth, 0);
    EXPECT_TRUE(theAlbum.currentRow->alignTop);
    EXPECT_EQ(ParseText("ROW_ALIGN_BOTTOM"), 0);
    EXPECT_FALSE(theAlbum.alignTop);
    EXPECT_EQ(capture.all(), "");
}
