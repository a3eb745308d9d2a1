// The page geometry and the page frame (border and title) on a recording canvas.
#include <gtest/gtest.h>

#include "AlbumData.h"
#include "PageGeometry.h"
#include "RecordingContents.h"

namespace {

// The A4 album of the worked example: margins 25, 12, 15, 15 mm, border
// 0.5, 0.1, 1.0 mm, spacing 6 and 6 mm.
void SetUpA4Album(CAlbumData &album)
{
    album.SetPageSize(210, 297);
    album.SetMargins(25, 12, 15, 15, true);
    album.SetBorder(0.5, 0.1, 1.0);
    album.SetSpacing(6, 6);
}

}  // namespace

TEST(PageGeometry, MarginsByParityAndSpacingOverride)
{
    CAlbumData album;
    SetUpA4Album(album);
    album.SetMargins(12, 25, 15, 15, false);
    album.AddPage(-1, -1);  // page 1
    album.AddPage(-1, -1);  // page 2
    album.AddPage(8, 8);
    album.AddPage(8, 0);
    CAlbumPage *first = album.firstPage;

    PageGeometry odd = ComputePageGeometry(album, *first, 1);
    EXPECT_NEAR(odd.elementLeft, 91.0035, 1e-9);
    EXPECT_NEAR(odd.elementRight, 541.2015, 1e-9);
    EXPECT_NEAR(odd.availableWidth, 450.198, 1e-9);

    PageGeometry even = ComputePageGeometry(album, *first->next, 2);
    EXPECT_NEAR(even.elementLeft, 54.1485, 1e-9);
    EXPECT_NEAR(even.elementRight, 504.3465, 1e-9);
    EXPECT_NEAR(even.availableWidth, 450.198, 1e-9);

    PageGeometry own = ComputePageGeometry(album, *first->next->next, 3);
    EXPECT_NEAR(own.effectiveHSpacing, 22.68, 1e-9);
    EXPECT_NEAR(own.effectiveVSpacing, 22.68, 1e-9);
    // One positive value alone does not override: the album's pair applies.
    PageGeometry half = ComputePageGeometry(album, *album.lastPage, 4);
    EXPECT_NEAR(half.effectiveHSpacing, 17.01, 1e-9);
    EXPECT_NEAR(half.effectiveVSpacing, 17.01, 1e-9);

    CAlbumData plain;
    plain.SetPageSize(210, 297);
    plain.SetMargins(25, 12, 15, 15, true);
    plain.SetSpacing(6, 6);
    plain.AddPage(-1, -1);
    EXPECT_NEAR(ComputePageGeometry(plain, *plain.firstPage, 1).elementLeft, 87.885, 1e-9);
}

TEST(PageHeader, WorkedExampleBorderAndTitle)
{
    CAlbumData album;
    SetUpA4Album(album);
    album.SetTitle(1, 16, "My Stamp Collection");
    album.AddPage(-1, -1);
    RecordingContents canvas;
    album.contents = &canvas;
    double y = 0;

    EXPECT_FALSE(DrawPageHeader(&album, album.firstPage, &y, 1));

    EXPECT_EQ(canvas.Sequence(), "SetLineWidth Rectangle Stroke SetLineWidth Rectangle Stroke "
                                 "SetFont TextWidth BeginText MoveTextPos ShowText EndText");
    std::vector<DrawCall> widths = canvas.Calls("SetLineWidth");
    EXPECT_NEAR(widths[0].args[0], 1.4175, 1e-6);
    EXPECT_NEAR(widths[1].args[0], 0.2835, 1e-6);
    std::vector<DrawCall> rects = canvas.Calls("Rectangle");
    const double outer[4] = {70.875, 42.525, 490.455, 756.945};
    const double inner[4] = {73.71, 45.36, 484.64325, 751.13325};
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(rects[0].args[k], outer[k], 1e-6) << k;
        EXPECT_NEAR(rects[1].args[k], inner[k], 1e-6) << k;
    }
    DrawCall font = canvas.Calls("SetFont")[0];
    EXPECT_EQ(font.text, "Times-Bold");
    EXPECT_EQ(font.args[0], 16.0);
    double tw = canvas.Calls("TextWidth")[0].args[0];
    EXPECT_GT(tw, 0);
    ShownText title = canvas.Shown()[0];
    EXPECT_EQ(title.text, "My Stamp Collection");
    EXPECT_NEAR(title.y, 766.46, 1e-6);
    EXPECT_NEAR(title.x + tw / 2, 316.1025, 1e-6);
    EXPECT_NEAR(y, 749.45, 1e-6);
}

TEST(PageHeader, WithoutBorderOrTitleAndTheGuards)
{
    CAlbumData album;
    album.SetPageSize(210, 297);
    album.SetMargins(25, 12, 15, 15, true);
    album.SetSpacing(6, 6);
    album.AddPage(-1, -1);
    RecordingContents canvas;
    album.contents = &canvas;

    double y = 0;
    EXPECT_FALSE(DrawPageHeader(&album, album.firstPage, &y, 1));
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_NEAR(y, 799.47, 1e-6);

    // An empty title shows nothing visible but still takes its room.
    album.SetTitle(4, 12, "");
    y = 0;
    EXPECT_FALSE(DrawPageHeader(&album, album.firstPage, &y, 1));
    EXPECT_NEAR(y, 799.47 - 2 * 17.01 - 12, 1e-6);

    // A title without a usable font asks the generation to stop.
    album.SetTitle(-1, 12, "T");
    canvas.calls.clear();
    y = 0;
    EXPECT_TRUE(DrawPageHeader(&album, album.firstPage, &y, 1));
    album.SetTitle(2, 0, "T");
    EXPECT_TRUE(DrawPageHeader(&album, album.firstPage, &y, 1));
    album.SetTitle(8, 12, "T");
    EXPECT_TRUE(DrawPageHeader(&album, album.firstPage, &y, 1));
    EXPECT_TRUE(canvas.calls.empty());
}
