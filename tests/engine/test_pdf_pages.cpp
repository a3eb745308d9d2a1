// Written PDF pages read back operator by operator: the worked layouts, a
// table of albums that together use every command, and the rarer cases.
// Expected positions are worked out here from millimetres and font metrics.
#include <gtest/gtest.h>

#include "PdfReadBack.h"

namespace {

// Millimetres to points as album descriptions define them.
double Pt(double mm)
{
    return mm * 2.835;
}

PdfOps Centred(const std::string &font, double size, double x, double w, double baseline,
               const std::string &text)
{
    return Text(x + (w - StandardTextWidth(font, size, text)) / 2, baseline, text);
}

PdfOps RightAligned(const std::string &font, double size, double x, double w, double baseline,
                    const std::string &text)
{
    return Text(x + w - StandardTextWidth(font, size, text), baseline, text);
}

// A rectangular frame hanging from top.
PdfOps Box(double lineWidth, double x, double top, double w, double h)
{
    return Frame(lineWidth, x, top - h, w, h);
}

// A triangular frame: left side, right side, then the base from right to left.
PdfOps Triangle(double lineWidth, double x, double top, double w, double h)
{
    return Ops({LineWidth(lineWidth), Segment(x, top - h, x + w / 2, top), Segment(x + w / 2, top, x + w, top - h),
                Segment(x + w, top - h, x, top - h)});
}

// A caption row under a frame: left, centre and right texts, each with its font.
PdfOps Captions(const std::string &font, double size, double x, double w, double baseline,
                const std::string &left, const std::string &centre, const std::string &right)
{
    PdfOps ops;
    if (!left.empty())
        ops = Ops({ops, Font(font, size), Text(x, baseline, left)});
    if (!centre.empty())
        ops = Ops({ops, Font(font, size), Centred(font, size, x, w, baseline, centre)});
    if (!right.empty())
        ops = Ops({ops, Font(font, size), RightAligned(font, size, x, w, baseline, right)});
    return ops;
}

// An album generated whole, and what each of its pages must draw.
struct PageCase {
    const char *what;
    std::string description;
    std::vector<PdfOps> pages;
};

void ExpectPages(const PageCase &c)
{
    SCOPED_TRACE(c.what);
    const GeneratedPdf pdf = GeneratePdf(c.description);
    ASSERT_EQ(pdf.messages, pdf.successMessages());
    ASSERT_EQ(pdf.pages.size(), c.pages.size());
    for (size_t k = 0; k < c.pages.size(); ++k)
        EXPECT_TRUE(PageDraws(pdf.pages[k], c.pages[k])) << "page " << k + 1;
}

// The album of most cases: 100 by 100 mm, margins 10 mm, spacing 4 and 2 mm.
const std::string SMALL_ALBUM =
    "ALBUM_PAGES_SIZE (100 100)\nALBUM_PAGES_MARGINS (10 10 10 10)\nALBUM_PAGES_SPACING (4 2)\nROW_ALIGN_TOP\n";
const std::string NO_TEXTS = "\"\" \"\" \"\" \"\" \"\" \"\"";
const double SMALL_LEFT = Pt(14), SMALL_TOP = Pt(90), SMALL_WIDTH = Pt(72);

}  // namespace

TEST(PdfPages, WorkedPageFrameOnOddAndEvenPages)
{
    const GeneratedPdf pdf = GeneratePdf(
        "ALBUM_PAGES_SIZE (210 297)\nALBUM_PAGES_MARGINS (25 12 15 15)\nALBUM_PAGES_BORDER (0.5 0.1 1.0)\n"
        "ALBUM_PAGES_SPACING (6 6)\nALBUM_PAGES_TITLE (TB 16 \"Transvaal\")\nALBUM_PAGES_MARGINSE (13 27 17 19)\n"
        "PAGE_START\nPAGE_TEXT (TN 12 \"Odd\")\nPAGE_START\nPAGE_TEXT (TN 12 \"Even\")\n"
        "PAGE_START_VAR (8 8)\nPAGE_TEXT (TN 12 \"Own\")\n");
    ASSERT_EQ(pdf.messages, pdf.successMessages());
    ASSERT_EQ(pdf.pages.size(), 3u);
    EXPECT_TRUE(PageSizeIs(pdf.pages[0], 595, 841));
    // Border and title of a page whose margin box is left, bottom, width,
    // height (on odd pages 70.875, 42.525, 490.455, 756.945: the inner line
    // at 73.71, 45.36, 484.64325, 751.13325 and the title centred on 316.1025).
    auto header = [](double left, double bottom, double width, double height, double baseline) {
        const double titleWidth = StandardTextWidth("Times-Bold", 16, "Transvaal");
        const double inset = 2 * 2.835 + 0.2835 / 2;
        return Ops({Frame(1.4175, left, bottom, width, height),
                    Frame(0.2835, left + 2.835, bottom + 2.835, width - inset, height - inset),
                    Font("Times-Bold", 16), Text(left + width / 2 - titleWidth / 2, baseline, "Transvaal")});
    };
    // The first element begins at 749.45: the paragraph's baseline lies 12 pt below.
    EXPECT_TRUE(PageDraws(pdf.pages[0], Ops({header(70.875, 42.525, 490.455, 756.945, 766.46),
                                             Font("Times-Roman", 12), Text(91.0035, 737.45, "Odd")})));
    // Even pages: margins 13, 27, 17 and 19 mm (left, right, top, bottom).
    const double evenTop = 841.995 - Pt(17);
    EXPECT_TRUE(PageDraws(pdf.pages[1], Ops({header(Pt(13), Pt(19), 595.35 - Pt(13) - Pt(27), evenTop - Pt(19),
                                                    evenTop - Pt(6) - 16),
                                             Font("Times-Roman", 12),
                                             Text(Pt(13) + 2.835 + 0.2835 + Pt(6), evenTop - 2 * Pt(6) - 16 - 12,
                                                  "Even")})));
    // The page's own spacing of 22.68 pt moves the title and the element area.
    EXPECT_TRUE(PageDraws(pdf.pages[2], Ops({header(70.875, 42.525, 490.455, 756.945, 799.47 - 22.68 - 16),
                                             Font("Times-Roman", 12),
                                             Text(73.71 + 0.2835 + 22.68, 799.47 - 2 * 22.68 - 16 - 12, "Own")})));
}

TEST(PdfPages, WorkedStampTopAndBottomAlignedAndEqualSpacing)
{
    // 200 by 297 mm, margins and spacing 5 mm: the element area is 180 mm wide.
    const std::string stamp =
        "STAMP_ADDX (25 30 \"Cape\" \"\" \"1853\" \"SG 1\" \"1d\" \"red\" \"mint\" \"used\" \"fine\")\n";
    const GeneratedPdf pdf = GeneratePdf(
        "ALBUM_PAGES_SIZE (200 297)\nALBUM_PAGES_MARGINS (5 5 5 5)\nALBUM_PAGES_SPACING (5 5)\nROW_ALIGN_TOP\n"
        "PAGE_START\nROW_START_JS (HN 6 0.2)\n" + stamp + "PAGE_TEXT (TN 10 \"after\")\n"
        "PAGE_START\nROW_ALIGN_BOTTOM\nROW_START_JS (HN 6 0.2)\n" + stamp +
        "STAMP_ADD (20 40 " + NO_TEXTS + ")\nPAGE_TEXT (TN 10 \"after\")\n"
        "PAGE_START\nROW_START_ES (HN 6 0.2)\nSTAMP_ADD (40 20 " + NO_TEXTS + ")\nSTAMP_ADD (40 20 " + NO_TEXTS +
        ")\nROW_ALIGN_TOP\n");
    ASSERT_EQ(pdf.messages, pdf.successMessages());
    ASSERT_EQ(pdf.pages.size(), 3u);
    const double x = Pt(10), y = 841.995 - Pt(5), w = 70.875, lw = Pt(0.2);
    // The worked stamp with the row's top line at top: frame, two inside
    // lines, the two caption rows 8 and 7 pt apart.
    auto workedStamp = [&](double top) {
        return Ops({Box(lw, x, top, w, 85.05), Font("Helvetica", 6),
                    Centred("Helvetica", 6, x, w, top - 42.525, "Cape"),
                    Centred("Helvetica", 6, x, w, top - 48.525, "1853"),
                    Captions("Helvetica", 6, x, w, top - 93.05, "SG 1", "1d", "red"),
                    Captions("Helvetica", 6, x, w, top - 100.05, "mint", "used", "fine")});
    };
    // The paragraph after a row shows the row's height: 100.05, and 128.4 bottom-aligned.
    EXPECT_TRUE(PageDraws(pdf.pages[0], Ops({workedStamp(y), Font("Times-Roman", 10),
                                             Text(x, y - 100.05 - Pt(5) - 10, "after")})));
    const double lastLeft = Pt(190) - Pt(20);  // a justified row ends at the area's right edge
    EXPECT_TRUE(PageDraws(pdf.pages[1], Ops({workedStamp(y - 28.35), Box(lw, lastLeft, y, Pt(20), 113.4),
                                             Font("Times-Roman", 10), Text(x, y - 128.4 - Pt(5) - 10, "after")})));
    // Two 40 mm stamps: three equal gaps share the 190 mm span.
    const double gap = Pt(110) / 3, first = x - Pt(5) + gap;
    EXPECT_TRUE(PageDraws(pdf.pages[2], Ops({Box(lw, first, y, Pt(40), Pt(20)),
                                             Box(lw, first + Pt(40) + gap, y, Pt(40), Pt(20))})));
}

TEST(PdfPages, WorkedParagraphsWrappedAndCentred)
{
    const std::string wrapped = "  Postage stamps of the Cape of Good Hope were triangular in four values from 1853";
    const std::string wide = "The Cape triangulars were printed by Perkins Bacon in London";
    const GeneratedPdf pdf = GeneratePdf(SMALL_ALBUM + "PAGE_START\nPAGE_TEXT (TN 12 \"" + wrapped +
                                         "\")\nPAGE_TEXT_CENTRE (HB 10 \"\\nCape\\n" + wide + "\")\n");
    ASSERT_EQ(pdf.messages, pdf.successMessages());
    ASSERT_EQ(pdf.pages.size(), 1u);
    // Blanks are the only break points; the blank before a word that does
    // not fit stays with its piece, and leading blanks with the first piece.
    const std::vector<std::string> pieces = {"  Postage stamps of the Cape of Good ",
                                             "Hope were triangular in four values from ", "1853"};
    auto width = [](const std::string &text) { return StandardTextWidth("Times-Roman", 12, text); };
    ASSERT_LE(width(pieces[0]), SMALL_WIDTH);
    ASSERT_GT(width(pieces[0] + "Hope "), SMALL_WIDTH);
    ASSERT_LE(width(pieces[1]), SMALL_WIDTH);
    ASSERT_GT(width(pieces[1] + "1853"), SMALL_WIDTH);
    // A centred line too wide is cut from its end until it fits.
    std::string cut = wide;
    while (StandardTextWidth("Helvetica-Bold", 10, cut) > SMALL_WIDTH)
        cut.pop_back();
    ASSERT_LT(cut.size(), wide.size());
    const double y = SMALL_TOP, afterWrapped = y - 36 - Pt(2);
    EXPECT_TRUE(PageDraws(pdf.pages[0],
                          Ops({Font("Times-Roman", 12), Text(SMALL_LEFT, y - 12, pieces[0]),
                               Text(SMALL_LEFT, y - 24, pieces[1]), Text(SMALL_LEFT, y - 36, pieces[2]),
                               Font("Helvetica-Bold", 10),  // the empty first line only takes its height
                               Centred("Helvetica-Bold", 10, SMALL_LEFT, SMALL_WIDTH, afterWrapped - 20, "Cape"),
                               Centred("Helvetica-Bold", 10, SMALL_LEFT, SMALL_WIDTH, afterWrapped - 30, cut)})));
}

TEST(PdfPages, AlbumsUsingEveryCommandDrawWholePages)
{
    std::vector<PageCase> cases;
    {
        // 200 by 280 mm with border and title; an equally spaced row of a
        // rectangle and a triangle hanging from one top line.
        const double left = Pt(20), right = Pt(200) - Pt(10), boxW = right - left, boxH = Pt(280) - Pt(20);
        const double hs = Pt(4), vs = Pt(3), gapB = Pt(2), inner = Pt(0.2);
        const double areaLeft = left + gapB + inner + hs, areaWidth = right - gapB - inner - hs - areaLeft;
        const double y = Pt(270) - vs - 14 - vs, lw = Pt(0.3);
        const double gap = (areaWidth + 2 * hs - Pt(70)) / 3, x1 = areaLeft - hs + gap, x2 = x1 + Pt(30) + gap;
        cases.push_back(
            {"border, title, equal spacing, triangle",
             "ALBUM_FONT_WINDOWS\nalbum_pages_size (200 280)\nALBUM_PAGES_MARGINS (20 10 10 10)\n"
             "ALBUM_PAGES_BORDER (0.4 0.2 2)\nALBUM_PAGES_SPACING (4 3)\nALBUM_PAGES_TITLE (HB 14 \"Natal\")\n"
             "ROW_ALIGN_TOP\nPAGE_START\nROW_START_ES (TN 8 0.3)\n"
             "STAMP_ADD (30 40 \"1857\" \"\" \"\" \"SG 1\" \"\" \"1d\")\n"
             "STAMP_ADD_TRIANGLE (40 30 \"\" \"Cape\" \"\" \"\" \"4d\" \"\")\n",
             {Ops({Frame(Pt(0.4), left, Pt(10), boxW, boxH),
                   Frame(inner, left + gapB, Pt(10) + gapB, boxW - 2 * gapB - inner / 2, boxH - 2 * gapB - inner / 2),
                   Font("Helvetica-Bold", 14), Centred("Helvetica-Bold", 14, left, boxW, Pt(270) - vs - 14, "Natal"),
                   Box(lw, x1, y, Pt(30), Pt(40)), Font("Times-Roman", 8),
                   Centred("Times-Roman", 8, x1, Pt(30), y - (Pt(40) - 8) / 2 - 8, "1857"),
                   Captions("Times-Roman", 8, x1, Pt(30), y - Pt(40) - 10, "SG 1", "", "1d"),
                   Triangle(lw, x2, y, Pt(40), Pt(30)), Font("Times-Roman", 8),
                   Centred("Times-Roman", 8, x2, Pt(40), y - (Pt(30) - 8) / 2 - 8, "Cape"),
                   Captions("Times-Roman", 8, x2, Pt(40), y - Pt(30) - 10, "", "4d", "")})}});
    }
    {
        // An even page with its own margins and spacing: a centred paragraph,
        // then a fixed-spaced row with a second caption row and three inside lines.
        const double hs = Pt(8), vs = Pt(5), areaLeft = Pt(12) + hs, areaWidth = Pt(210) - Pt(25) - hs - areaLeft;
        const double y = Pt(297) - Pt(15) - 24 - vs, lw = Pt(0.1), w1 = Pt(25), w2 = Pt(20), h2 = Pt(25);
        const double x1 = areaLeft + (areaWidth - Pt(48)) / 2, x2 = x1 + w1 + Pt(3);
        const double inside = y - (h2 - 21) / 2 - 7;
        cases.push_back(
            {"even margins, page spacing, centred text, fixed spacing, second captions",
             "ALBUM_PAGES_SIZE (210 297)\nALBUM_PAGES_MARGINS (25 12 15 15)\nALBUM_PAGES_MARGINSE (12 25 15 15)\n"
             "ALBUM_PAGES_SPACING (6 6)\nROW_ALIGN_TOP\nPAGE_START\nPAGE_START_VAR (8 5)\n"
             "PAGE_TEXT_CENTRE (HS 12 \"Orange Free State\\nRepublic\")\nROW_START_FS (HI 7 0.1 3)\n"
             "STAMP_ADDX (25 30 \"\" \"\" \"\" \"\" \"\" \"\" \"a\" \"b\" \"c\")\n"
             "STAMP_ADD (20 25 \"x\" \"y\" \"z\" \"\" \"\" \"\")\nPAGE_TEXT (TN 10 \"End\")\n",
             {{},
              Ops({Font("Helvetica-BoldOblique", 12),
                   Centred("Helvetica-BoldOblique", 12, areaLeft, areaWidth, y + vs + 12, "Orange Free State"),
                   Centred("Helvetica-BoldOblique", 12, areaLeft, areaWidth, y + vs, "Republic"),
                   Box(lw, x1, y, w1, Pt(30)), Captions("Helvetica-Oblique", 7, x1, w1, y - Pt(30) - 8, "a", "b", "c"),
                   Box(lw, x2, y, w2, h2), Font("Helvetica-Oblique", 7),
                   Centred("Helvetica-Oblique", 7, x2, w2, inside, "x"),
                   Centred("Helvetica-Oblique", 7, x2, w2, inside - 7, "y"),
                   Centred("Helvetica-Oblique", 7, x2, w2, inside - 14, "z"), Font("Times-Roman", 10),
                   Text(areaLeft, y - Pt(30) - 8 - vs - 10, "End")})}});
    }
    {
        // A justified row standing on one bottom line after a paragraph.
        const double y = Pt(100) - Pt(10) - 10 - Pt(5), x1 = Pt(15), x2 = Pt(150) - Pt(15) - Pt(20);
        cases.push_back({"paragraph, justified row, bottom alignment",
                         "ALBUM_PAGES_SIZE (150 100)\nALBUM_PAGES_MARGINS (10 10 10 10)\nALBUM_PAGES_SPACING (5 5)\n"
                         "ROW_ALIGN_BOTTOM\nPAGE_START\nPAGE_TEXT (TI 10 \"Swaziland\")\nROW_START_JS (TS 6 0.2)\n"
                         "STAMP_ADD (20 30 " + NO_TEXTS + ")\nSTAMP_ADD (20 15 \"\" \"\" \"\" \"L\" \"\" \"\")\n"
                         "ROW_ALIGN_TOP\n",
                         {Ops({Font("Times-Italic", 10), Text(x1, y + Pt(5), "Swaziland"),
                               Box(Pt(0.2), x1, y, Pt(20), Pt(30)), Box(Pt(0.2), x2, y - Pt(15), Pt(20), Pt(15)),
                               Captions("Times-BoldItalic", 6, x2, Pt(20), y - Pt(30) - 8, "L", "", "")})}});
    }
    for (const PageCase &c : cases)
        ExpectPages(c);
}

TEST(PdfPages, RareCasesThroughTheDescription)
{
    const double top = SMALL_TOP, lw = Pt(0.2);
    const std::vector<PageCase> cases = {
        {"settings after the last page apply to every page",
         "ALBUM_PAGES_SPACING (1 1)\nPAGE_START\nPAGE_TEXT (TN 10 \"one\")\nPAGE_START\nPAGE_TEXT (TN 10 \"two\")\n" +
             SMALL_ALBUM + "ALBUM_PAGES_BORDER (0.2 0.2 1)\n",
         {Ops({Frame(lw, Pt(10), Pt(10), Pt(80), Pt(80)),
               Frame(lw, Pt(11), Pt(11), Pt(78) - lw / 2, Pt(78) - lw / 2), Font("Times-Roman", 10),
               Text(Pt(15.2), top - 10, "one")}),
          Ops({Frame(lw, Pt(10), Pt(10), Pt(80), Pt(80)),
               Frame(lw, Pt(11), Pt(11), Pt(78) - lw / 2, Pt(78) - lw / 2), Font("Times-Roman", 10),
               Text(Pt(15.2), top - 10, "two")})}},
        {"an empty title shows nothing and still takes its room",
         SMALL_ALBUM + "ALBUM_PAGES_TITLE (TB 16 \"\")\nPAGE_START\nPAGE_TEXT (TN 10 \"x\")\n",
         {Ops({Font("Times-Bold", 16), Op("BT"), Op("Td", {Pt(50), top - Pt(2) - 16}), Op("ET"),
               Font("Times-Roman", 10), Text(SMALL_LEFT, top - 2 * Pt(2) - 16 - 10, "x")})}},
        {"a fractional size in ROW_START_FS: its fraction is the line width",
         SMALL_ALBUM + "PAGE_START\nROW_START_FS (HB 10.5 3)\nSTAMP_ADD (20 10 \"\" \"\" \"\" \"\" \"c\" \"\")\n"
                       "STAMP_ADD (20 10 " + NO_TEXTS + ")\n",
         {Ops({Box(Pt(0.5), Pt(28.5), top, Pt(20), Pt(10)),
               Captions("Helvetica-Bold", 10, Pt(28.5), Pt(20), top - Pt(10) - 12, "", "c", ""),
               Box(Pt(0.5), Pt(51.5), top, Pt(20), Pt(10))})}},
        {"zero and negative stamp sizes are drawn and take no room",
         SMALL_ALBUM + "PAGE_START\nROW_START_JS (TN 8 0.2)\nSTAMP_ADD (0 0 " + NO_TEXTS + ")\n"
                       "STAMP_ADD (-10 -5 " + NO_TEXTS + ")\nPAGE_TEXT (TN 10 \"x\")\n",
         {Ops({Frame(lw, SMALL_LEFT, top, 0, 0), Frame(lw, Pt(96), top + Pt(5), Pt(-10), Pt(-5)),
               Font("Times-Roman", 10), Text(SMALL_LEFT, top - 10, "x")})}},
        {"a stamp starting past the element area but on the page is drawn",
         SMALL_ALBUM + "PAGE_START\nROW_START_JS (TN 8 0.2)\nSTAMP_ADD (40 10 " + NO_TEXTS + ")\nSTAMP_ADD (30 20 " +
             NO_TEXTS + ")\nSTAMP_ADD (20 15 " + NO_TEXTS + ")\nSTAMP_ADD (5 30 " + NO_TEXTS +
             ")\nPAGE_TEXT (TN 10 \"x\")\n",
         {Ops({Box(lw, Pt(14), top, Pt(40), Pt(10)), Box(lw, Pt(58), top, Pt(30), Pt(20)),
               Box(lw, Pt(92), top, Pt(20), Pt(15)), Font("Times-Roman", 10),
               Text(SMALL_LEFT, top - Pt(20) - Pt(2) - 10, "x")})}},
        {"bottom alignment counts a tall stamp that is not drawn",
         SMALL_ALBUM + "ROW_ALIGN_BOTTOM\nPAGE_START\nROW_START_JS (TN 8 0.2)\nSTAMP_ADD (40 10 " + NO_TEXTS +
             ")\nSTAMP_ADD (30 20 " + NO_TEXTS + ")\nSTAMP_ADD (20 15 " + NO_TEXTS + ")\nSTAMP_ADD (5 30 " +
             NO_TEXTS + ")\nPAGE_TEXT (TN 10 \"x\")\nROW_ALIGN_TOP\n",
         {Ops({Box(lw, Pt(14), top - Pt(20), Pt(40), Pt(10)), Box(lw, Pt(58), top - Pt(10), Pt(30), Pt(20)),
               Box(lw, Pt(92), top - Pt(15), Pt(20), Pt(15)), Font("Times-Roman", 10),
               Text(SMALL_LEFT, top - Pt(30) - Pt(2) - 10, "x")})}},
    };
    for (const PageCase &c : cases)
        ExpectPages(c);
}
