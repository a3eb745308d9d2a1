// What settings and content commands make of the written pages, read back
// from the PDF, and the messages of command lines that must be refused.
#include <gtest/gtest.h>

#include <string>

#include "AlbumData.h"
#include "AlbumPdf.h"
#include "PdfReadBack.h"
#include "TestSupport.h"

namespace {

constexpr double MM = 2.835;

// Page 200 x 300 mm; margins left 10, right 20, top 30, bottom 40; spacing
// 5 and 4. Without border or title the first element begins at the top
// margin (270 mm) and at elementLeft = 10 + 5 = 15 mm.
const std::string ALBUM = "ALBUM_PAGES_SIZE (200 300)\nALBUM_PAGES_MARGINS (10 20 30 40)\n"
                          "ALBUM_PAGES_SPACING (5 4)\nROW_ALIGN_TOP\n";
constexpr double TOP = 270 * MM;
constexpr double LEFT = 15 * MM;

// The double border of ALBUM_PAGES_BORDER (1 0.5 3) around the margin box
// (x 10, y 40, 170 wide, 230 high): the inner line inset by the gap, and
// by a further half inner width at the right and top.
const PdfOps BORDER = Ops({Frame(1 * MM, 10 * MM, 40 * MM, 170 * MM, 230 * MM),
                           Frame(0.5 * MM, 13 * MM, 43 * MM, (170 - 6 - 0.25) * MM, (230 - 6 - 0.25) * MM)});

// One line of a left-aligned paragraph in Helvetica 10, first on its page.
PdfOps Paragraph(double left, const std::string &line)
{
    return Ops({Font("Helvetica", 10), Text(left, TOP - 10, line)});
}

// A single frame 20 x 30 mm of a row with line width 0.2 mm, centred in the
// element area (15 to 175 mm), hanging from the top of the page's content.
constexpr double STAMP_X = 85 * MM, STAMP_W = 20 * MM, STAMP_H = 30 * MM;
const std::string ROW = "PAGE_START\nROW_START_ES (HN 6 0.2)\n";

}  // namespace

TEST(CommandFaults, WrittenPagesShowWhatEachCommandSays)
{
    const double titleWidth = StandardTextWidth("Helvetica", 20, "Title");
    const std::string nine = " \"\" \"\" \"\" \"\" \"\" \"\" \"\" \"\" \"\")";
    const struct {
        const char *what;
        std::string description;
        size_t page;
        PdfOps expected;
    } cases[] = {
        {"ALBUM_FONT_WINDOWS is accepted anywhere and changes nothing",
         "ALBUM_FONT_WINDOWS\nPAGE_START\nalbum_font_windows # c\nPAGE_TEXT (HN 10 \"x\")\nALBUM_FONT_WINDOWS", 0,
         Paragraph(LEFT, "x")},
        {"the border takes outer width, inner width, then gap",
         "ALBUM_PAGES_BORDER (1 0.5 3)\nPAGE_START\nPAGE_TEXT (HN 10 \"x\")", 0,
         Ops({BORDER, Paragraph(18.5 * MM, "x")})},
        {"even pages take all four margins of ALBUM_PAGES_MARGINS",
         "ALBUM_PAGES_MARGINSE (1 2 3 4)\nALBUM_PAGES_MARGINS (10 20 30 40)\nALBUM_PAGES_BORDER (1 0.5 3)\n"
         "PAGE_START\nPAGE_START\nPAGE_TEXT (HN 10 \"x\")",
         1, Ops({BORDER, Paragraph(18.5 * MM, "x")})},
        {"the title is set at its own size",
         "ALBUM_PAGES_TITLE (HN 20 \"Title\")\nPAGE_START\nPAGE_TEXT (HN 10 \"x\")", 0,
         Ops({Font("Helvetica", 20), Text(95 * MM - titleWidth / 2, TOP - 4 * MM - 20, "Title"),
              Font("Helvetica", 10), Text(LEFT, TOP - 8 * MM - 20 - 10, "x")})},
        {"STAMP_ADDX draws a rectangle", ROW + "STAMP_ADDX (20 30" + nine, 0,
         Frame(0.2 * MM, STAMP_X, TOP - STAMP_H, STAMP_W, STAMP_H)},
        {"a triangle is as wide and as high as written", ROW + "STAMP_ADD_TRIANGLE (20 30 \"\" \"\" \"\" \"\" \"\" \"\")",
         0,
         Ops({LineWidth(0.2 * MM), Segment(STAMP_X, TOP - STAMP_H, STAMP_X + STAMP_W / 2, TOP),
              Segment(STAMP_X + STAMP_W / 2, TOP, STAMP_X + STAMP_W, TOP - STAMP_H),
              Segment(STAMP_X + STAMP_W, TOP - STAMP_H, STAMP_X, TOP - STAMP_H)})},
        {"a quote after two backslashes stays in the paragraph", "PAGE_START\nPAGE_TEXT (HN 10 \"a\\\\\"b\")", 0,
         Paragraph(LEFT, "a\\\"b")},
        {"a backslash and a capital N give the letter N", "PAGE_START\nPAGE_TEXT (HN 10 \"a\\Nb\")", 0,
         Paragraph(LEFT, "aNb")},
        {"a lone CR ending the file ends its last line", "PAGE_START\nPAGE_START\r", 1, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const GeneratedPdf pdf = GeneratePdf(ALBUM + c.description);
        ASSERT_EQ(pdf.pages.size(), c.page + 1) << pdf.allMessages();
        EXPECT_TRUE(PageDraws(pdf.pages[c.page], c.expected));
    }
}

TEST(CommandFaults, EachParseStartsWithoutTheLastBorder)
{
    const std::string page = "PAGE_START\nPAGE_TEXT (HN 10 \"x\")\n";
    const GeneratedPdf bordered = GeneratePdf(ALBUM + "ALBUM_PAGES_BORDER (1 0.5 3)\n" + page);
    ASSERT_EQ(bordered.pages.size(), 1u) << bordered.allMessages();
    // Generating again without the border: no hairline frames, no inset.
    const GeneratedPdf plain = GeneratePdf(ALBUM + page);
    ASSERT_EQ(plain.pages.size(), 1u) << plain.allMessages();
    EXPECT_TRUE(PageDraws(plain.pages[0], Paragraph(LEFT, "x")));
}

// A description generated twice in one run gives the same PDF byte for byte:
// the ROW_ALIGN_BOTTOM at its end does not reach back to the rows before it.
TEST(CommandFaults, EachGenerateOfADescriptionWritesTheSamePdf)
{
    const std::string description = "ALBUM_PAGES_SIZE (200 300)\nALBUM_PAGES_MARGINS (10 20 30 40)\n"
                                    "ALBUM_PAGES_SPACING (5 4)\n" + ROW +
                                    "STAMP_ADD (20 30 \"\" \"\" \"\" \"\" \"\" \"\")\n"
                                    "STAMP_ADD (25 15 \"\" \"\" \"\" \"\" \"\" \"\")\nROW_ALIGN_BOTTOM\n";
    ScratchDir work;
    std::string written[2];
    for (std::string &pdf : written) {
        MessageCapture capture;
        ASSERT_EQ(ParseText(description), 0) << capture.all();
        ASSERT_EQ(CreateAlbumPdf(&theAlbum, work.File("album.pdf").c_str()), 0) << capture.all();
        pdf = ReadFile(work.File("album.pdf"));
    }
    EXPECT_EQ(written[0].size(), written[1].size());
    EXPECT_TRUE(written[0] == written[1]) << "the second Generate wrote another PDF";
}

TEST(CommandFaults, RefusedContentLines)
{
    const std::string params = " parameters incorrect.";
    const struct {
        const char *line, *message;
    } cases[] = {
        {"STAMP_ADD (20,30 \"\" \"\" \"\" \"\" \"\" \"\")", "STAMP_ADD"},
        {"ALBUM_PAGES_TITLE", "ALBUM_PAGES_TITLE"},
        {"PAGE_TEXT", "PAGE_TEXT"},
        {"PAGE_TEXT_CENTRE", "PAGE_TEXT_CENTRE"},
        {"ROW_START_ES", "ROW_START_ES"},
        {"ROW_START_JS", "ROW_START_JS"},
        {"ROW_START_FS", "ROW_START_FS"},
        {"STAMP_ADD", "STAMP_ADD"},
        {"STAMP_ADDX", "STAMP_ADDX"},
        {"STAMP_ADD_TRIANGLE", "STAMP_ADD_TRIANGLE"},
    };
    for (const auto &c : cases) {
        MessageCapture capture;
        EXPECT_EQ(ParseText(ROW + c.line + "\n"), 1) << c.line;
        std::string expected = ParseError(3, c.message + params);
        if (std::string(c.line) == "ROW_START_FS")
            expected.erase(expected.find("<n>") + 3, 1);  // its one message without the blank
        EXPECT_EQ(capture.all(), expected) << c.line;
    }
}
