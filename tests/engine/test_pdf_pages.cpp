// Written PDF pages read back operator by operator: the worked layouts, a
// table of albums that together use every command, and the rarer cases.
#include <gtest/gtest.h>

#include "PdfReadBack.h"

namespace {

constexpr double MM = 2.835;

// The A4 album with border and title that the worked layouts share.
const std::string A4_ALBUM =
    "ALBUM_PAGES_SIZE (210 297)\n"
    "ALBUM_PAGES_MARGINS (25 12 15 15)\n"
    "ALBUM_PAGES_BORDER (0.5 0.1 1.0)\n"
    "ALBUM_PAGES_SPACING (6 6)\n"
    "ALBUM_PAGES_TITLE (TB 16 \"Transvaal\")\n";

// The title "Transvaal" centred on cx with its baseline at y.
PdfOps Title(double cx, double y)
{
    return Ops({Font("Times-Bold", 16), Text(cx - StandardTextWidth("Times-Bold", 16, "Transvaal") / 2, y,
                                              "Transvaal")});
}

}  // namespace

TEST(PdfPages, WorkedPageFrameOnOddAndEvenPages)
{
    const GeneratedPdf pdf = GeneratePdf(A4_ALBUM +
                                         "ALBUM_PAGES_MARGINSE (12 25 15 15)\n"
                                         "PAGE_START\nPAGE_TEXT (TN 12 \"Odd\")\n"
                                         "PAGE_START\nPAGE_TEXT (TN 12 \"Even\")\n");
    ASSERT_EQ(pdf.pages.size(), 2u) << pdf.allMessages();
    EXPECT_TRUE(PageSizeIs(pdf.pages[0], 595, 841));
    // The first element begins at 749.45: the paragraph's baseline lies 12 pt below.
    EXPECT_TRUE(PageDraws(pdf.pages[0], Ops({Frame(1.4175, 70.875, 42.525, 490.455, 756.945),
                                             Frame(0.2835, 73.71, 45.36, 484.64325, 751.13325),
                                             Title(316.1025, 766.46), Font("Times-Roman", 12),
                                             Text(91.0035, 737.45, "Odd")})));
    EXPECT_TRUE(PageDraws(pdf.pages[1], Ops({Frame(1.4175, 34.02, 42.525, 490.455, 756.945),
                                             Frame(0.2835, 36.855, 45.36, 484.64325, 751.13325),
                                             Title(34.02 + 490.455 / 2, 766.46), Font("Times-Roman", 12),
                                             Text(54.1485, 737.45, "Even")})));
}
