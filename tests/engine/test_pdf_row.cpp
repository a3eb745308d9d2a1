// Stamp row layout on a recording canvas: placement across the page, the
// frames with their texts, alignment and the room a row takes.
#include <gtest/gtest.h>

#include <vector>

#include "AlbumData.h"
#include "RecordingContents.h"

namespace {

constexpr double MM = MM_TO_POINTS;
const char *const NO_TEXTS[9] = {};

// A page 190 mm wide without margins or border and a spacing of 5 mm: the
// element area runs from 5 mm to 185 mm, 180 mm wide.
struct Page {
    Page()
    {
        album.SetPageSize(190, 297);
        album.SetMargins(0, 0, 10, 10, true);
        album.SetSpacing(5, 5);
        album.AddPage(-1, -1);
    }
    CAlbumElementRow *Row(RowSpacingMode mode, const std::vector<double> &widths, double fixedSpace = 0,
                          double height = 20)
    {
        album.AddRow(0, 6, 0.2, mode, fixedSpace);
        for (double width : widths)
            album.AddStamp(width, height, NO_TEXTS);
        return album.currentRow;
    }
    // The left edges of the drawn frames, in millimetres.
    std::vector<double> Lefts(CAlbumElementRow *row, double *y)
    {
        canvas.calls.clear();
        EXPECT_FALSE(row->Draw(&album, album.firstPage, &canvas, y, 1));
        std::vector<double> lefts;
        for (const DrawCall &call : canvas.Calls("Rectangle"))
            lefts.push_back(call.args[0] / MM);
        return lefts;
    }
    CAlbumData album;
    RecordingContents canvas;
};

void ExpectNear(const std::vector<double> &actual, const std::vector<double> &expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t k = 0; k < actual.size(); ++k)
        EXPECT_NEAR(actual[k], expected[k], 1e-9) << k;
}

}  // namespace

TEST(RowLayout, HorizontalPlacementByMode)
{
    Page page;
    double y = 700;
    // ES: span 190 mm, three gaps of (190 - 80) / 3 mm; the first frame one
    // gap minus 5 mm right of the element area's left edge.
    const double gap = 110.0 / 3;
    ExpectNear(page.Lefts(page.Row(ROW_SPACING_EQUAL, {40, 40}), &y), {5 + gap - 5, 5 + gap - 5 + 40 + gap});
    // ES whose equal gaps would be narrower than the spacing: laid out as JS,
    // the last frame ending at the element area's right edge.
    ExpectNear(page.Lefts(page.Row(ROW_SPACING_EQUAL, {44, 44, 44, 44}), &y),
               {5, 5 + 44 + 4.0 / 3, 5 + 2 * (44 + 4.0 / 3), 185 - 44});
    ExpectNear(page.Lefts(page.Row(ROW_SPACING_JUSTIFIED, {44, 44, 44, 44}), &y),
               {5, 5 + 44 + 4.0 / 3, 5 + 2 * (44 + 4.0 / 3), 185 - 44});
    // FS: centred at the fixed space; wider than the area: from its left edge.
    ExpectNear(page.Lefts(page.Row(ROW_SPACING_FIXED, {40, 40}, 3), &y), {53.5, 96.5});
    ExpectNear(page.Lefts(page.Row(ROW_SPACING_FIXED, {90, 90}, 3), &y), {5, 98});
    // One stamp: centred in ES and FS, at the left edge in JS.
    ExpectNear(page.Lefts(page.Row(ROW_SPACING_EQUAL, {30}), &y), {80});
    ExpectNear(page.Lefts(page.Row(ROW_SPACING_FIXED, {30}, 7), &y), {80});
    ExpectNear(page.Lefts(page.Row(ROW_SPACING_JUSTIFIED, {30}), &y), {5});
}

TEST(RowLayout, OverflowStopsAtThePageWidthAndDrawnStampsSetTheHeight)
{
    Page page;
    CAlbumElementRow *row = page.Row(ROW_SPACING_JUSTIFIED, {50, 50, 50, 50});
    page.album.AddStamp(50, 60, NO_TEXTS);  // at 225 mm: beyond the page, not drawn
    page.album.AddStamp(5, 5, NO_TEXTS);    // nor anything after it
    double y = 700;
    // Gaps equal the spacing; the fourth frame starts inside the page and is
    // drawn although it runs past the element area and the page.
    ExpectNear(page.Lefts(row, &y), {5, 60, 115, 170});
    EXPECT_NEAR(y, 700 - 20 * MM - 5 * MM, 1e-9);
}

TEST(RowLayout, EmptyRowsAndRowsBelowThePageTakeNoRoom)
{
    Page page;
    double y = 700;
    EXPECT_TRUE(page.Lefts(page.Row(ROW_SPACING_EQUAL, {}), &y).empty());
    EXPECT_EQ(y, 700.0);
    EXPECT_TRUE(page.canvas.calls.empty());
    // A stamp of height 0 without captions occupies nothing: no spacing added.
    page.Lefts(page.Row(ROW_SPACING_EQUAL, {30}, 0, 0), &y);
    EXPECT_EQ(y, 700.0);
    y = 0;
    EXPECT_TRUE(page.Lefts(page.Row(ROW_SPACING_EQUAL, {30}), &y).empty());
}

namespace {

// The worked example's stamp: 25 by 30 mm, font size 6, two inside texts
// and both caption rows.
const char *const EXAMPLE_TEXTS[9] = {"Inside one", "Inside two", nullptr,
                                      "L", "Centre", "Right", "l2", "c2", "r2"};

struct StampCase {
    bool alignTop;
    double offset;    // how far the frame is lowered
    double occupied;  // what DrawStamp returns
};

}  // namespace

TEST(RowLayout, WorkedExampleStampTopAndBottomAligned)
{
    const StampCase cases[] = {{true, 0, 100.05}, {false, 28.35, 128.4}};
    for (const StampCase &c : cases) {
        CAlbumElementRow row(4, 6, 0.5, ROW_SPACING_EQUAL, 0, c.alignTop);
        row.AddStamp(25, 30, EXAMPLE_TEXTS, false);
        row.AddStamp(20, 40, NO_TEXTS, false);  // the tallest frame: 113.4 points
        RecordingContents canvas;
        const double x = 100, y = 500, w = 70.875, d = c.offset;

        EXPECT_NEAR(CAlbumElementRow::DrawStamp(row.firstStamp, &canvas, x, y, &row), c.occupied, 1e-6);

        DrawCall frame = canvas.Calls("Rectangle").at(0);
        EXPECT_NEAR(frame.args[1], y - 85.05 - d, 1e-6);
        EXPECT_NEAR(frame.args[2], w, 1e-9);
        EXPECT_NEAR(frame.args[3], 85.05, 1e-9);
        EXPECT_EQ(canvas.Calls("SetLineWidth").at(0).args[0], 0.5);

        std::vector<ShownText> shown = canvas.Shown();
        ASSERT_EQ(shown.size(), 8u);
        const double baselines[8] = {42.525, 48.525, 93.05, 93.05, 93.05, 100.05, 100.05, 100.05};
        for (int k = 0; k < 8; ++k)
            EXPECT_NEAR(shown[k].y, y - baselines[k] - d, 1e-6) << shown[k].text;
        // Inside texts and centre captions centred on the frame, the left
        // caption at its left edge, the right one ending at its right edge.
        for (int k : {0, 1, 3, 6}) {
            double tw = canvas.Measure("Helvetica", 6, shown[k].text.c_str());
            EXPECT_NEAR(shown[k].x, x + (w - tw) / 2, 1e-9) << shown[k].text;
        }
        EXPECT_EQ(shown[2].x, x);
        EXPECT_EQ(shown[5].x, x);
        EXPECT_NEAR(shown[4].x + canvas.Measure("Helvetica", 6, "Right"), x + w, 1e-9);
        // The font is set once for the inside texts and again for every caption.
        EXPECT_EQ(canvas.Calls("SetFont").size(), 7u);
    }
}

TEST(RowLayout, SparseTextsAndTriangles)
{
    CAlbumElementRow row(0, 6, 0.3, ROW_SPACING_EQUAL, 0, true);
    const char *secondOnly[9] = {"", "One", nullptr, "", "", "", "", "", "Right"};
    row.AddStamp(20, 30, secondOnly, true);
    RecordingContents canvas;

    // Only the second caption row: size + 1 below the frame.
    EXPECT_NEAR(CAlbumElementRow::DrawStamp(row.firstStamp, &canvas, 10, 300, &row), 85.05 + 7, 1e-9);
    std::vector<ShownText> shown = canvas.Shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NEAR(shown[0].y, 300 - (85.05 - 6) / 2 - 6, 1e-9);  // one line, centred alone
    EXPECT_NEAR(shown[1].y, 300 - 85.05 - 7, 1e-9);

    // A triangle: left side, right side, then the base from right to left.
    const double w = 56.7, bottom = 300 - 85.05;
    std::vector<DrawCall> moves = canvas.Calls("MoveTo"), lines = canvas.Calls("LineTo");
    ASSERT_EQ(moves.size(), 3u);
    ASSERT_EQ(lines.size(), 3u);
    const double expected[6][2] = {{10, bottom}, {10 + w / 2, 300}, {10 + w / 2, 300},
                                   {10 + w, bottom}, {10 + w, bottom}, {10, bottom}};
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(moves[k].args[0], expected[2 * k][0], 1e-9);
        EXPECT_NEAR(moves[k].args[1], expected[2 * k][1], 1e-9);
        EXPECT_NEAR(lines[k].args[0], expected[2 * k + 1][0], 1e-9);
        EXPECT_NEAR(lines[k].args[1], expected[2 * k + 1][1], 1e-9);
    }
    EXPECT_EQ(canvas.Calls("Stroke").size(), 3u);

    // A frame with nothing to show sets no font; a lone right caption still
    // takes size + 2.
    const char *rightOnly[9] = {"", "", "", "", "", "R"};
    row.AddStamp(20, 30, NO_TEXTS, false);
    row.AddStamp(20, 30, rightOnly, false);
    canvas.calls.clear();
    EXPECT_NEAR(CAlbumElementRow::DrawStamp(row.firstStamp->next, &canvas, 0, 300, &row), 85.05, 1e-9);
    EXPECT_EQ(canvas.Sequence(), "SetLineWidth Rectangle Stroke");
    EXPECT_NEAR(CAlbumElementRow::DrawStamp(row.lastStamp, &canvas, 0, 300, &row), 85.05 + 8, 1e-9);
}
