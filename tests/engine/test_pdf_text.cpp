// Paragraph layout on a recording canvas: wrapping, breaking over-long
// words, centred cutting and the cursor.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "AlbumData.h"
#include "RecordingContents.h"

namespace {

constexpr int HELVETICA = 4;

// An album whose element area on page 1 runs from x = 0 to x = width
// exactly, with a vertical spacing of 5 points.
struct Column {
    explicit Column(double width)
    {
        album.pageWidth = width;
        album.vSpacing = 5;
        album.AddPage(-1, -1);
    }
    CAlbumElementText *Add(const char *text, bool centred, int font = HELVETICA, int size = 10)
    {
        album.firstPage->AddText(font, size, text, centred);
        return static_cast<CAlbumElementText *>(album.firstPage->lastElement);
    }
    bool Draw(CAlbumElementText *element, double *y)
    {
        return element->Draw(&album, album.firstPage, &canvas, y, 1);
    }
    std::vector<std::string> ShownTexts() const
    {
        std::vector<std::string> texts;
        for (const ShownText &shown : canvas.Shown())
            texts.push_back(shown.text);
        return texts;
    }
    CAlbumData album;
    RecordingContents canvas;
};

double Width(const char *text)
{
    static RecordingContents metrics;
    return metrics.Measure("Helvetica", 10, text);
}

using Texts = std::vector<std::string>;

}  // namespace

TEST(TextLayout, WrapsAtBlanksKeepingTheEndingBlank)
{
    struct Case {
        const char *text;
        const char *fitting;  // what exactly fills the column
        Texts pieces;
    };
    const Case cases[] = {
        // The piece ends with the blank that follows the last fitting word;
        // further blanks are skipped.
        {"alpha beta   gamma", "alpha beta ", {"alpha beta ", "gamma"}},
        // "beta" fits only without its blank: it moves to the next piece.
        {"alpha beta gamma", "alpha beta", {"alpha ", "beta ", "gamma"}},
        // A rest that fits is shown whole, leading and trailing blanks included.
        {"  ab  ", "alpha", {"  ab  "}},
        // A word wider than the column is broken between characters.
        {"abcdefgh xy", "abc", {"abc", "def", "gh ", "xy"}},
    };
    for (const Case &c : cases) {
        Column column(Width(c.fitting));
        double y = 100;
        EXPECT_FALSE(column.Draw(column.Add(c.text, false), &y));
        EXPECT_EQ(column.ShownTexts(), c.pieces) << c.text;
        std::vector<ShownText> shown = column.canvas.Shown();
        for (size_t k = 0; k < shown.size(); ++k) {
            EXPECT_EQ(shown[k].x, 0.0);
            EXPECT_EQ(shown[k].y, 90.0 - 10.0 * k) << c.text;
        }
        EXPECT_EQ(y, 100 - 10.0 * shown.size() - 5) << c.text;
    }
}

TEST(TextLayout, CursorLowersPerLineAndStopsDrawingAtThePageBottom)
{
    Column column(500);
    double y = 100;
    // Three lines, the middle one empty: each takes one font size.
    EXPECT_FALSE(column.Draw(column.Add("one\\n\\nthree", false, 0, 12), &y));
    EXPECT_EQ(column.ShownTexts(), (Texts{"one", "three"}));
    EXPECT_EQ(column.canvas.Shown()[1].y, 64.0);
    EXPECT_EQ(y, 100 - 36 - 5);
    EXPECT_EQ(column.canvas.Calls("SetFont").size(), 1u);

    // A left-aligned paragraph draws nothing at or below 0, yet every line
    // still lowers the cursor.
    column.canvas.calls.clear();
    y = 25;
    column.Draw(column.Add("a\\nb\\nc\\nd", false), &y);
    EXPECT_EQ(column.ShownTexts(), (Texts{"a", "b"}));
    EXPECT_EQ(y, 25 - 40 - 5);

    // A centred paragraph is written whole, below the page too.
    column.canvas.calls.clear();
    y = 25;
    column.Draw(column.Add("a\\nb\\nc\\nd", true), &y);
    EXPECT_EQ(column.ShownTexts(), (Texts{"a", "b", "c", "d"}));
    EXPECT_EQ(column.canvas.Shown()[3].y, -15.0);
}

TEST(TextLayout, NoRoomAtAllStillAdvancesCharacterByCharacter)
{
    Column column(0);
    double y = 35;
    EXPECT_FALSE(column.Draw(column.Add("abcdef", false), &y));
    EXPECT_EQ(column.ShownTexts(), (Texts{"a", "b", "c"}));
    EXPECT_EQ(y, -5.0 - 5);
}

TEST(TextLayout, CentredLinesAreCutFromTheEndAndCentred)
{
    const double width = Width("abc");
    Column column(width);
    double y = 100;
    CAlbumElementText *text = column.Add("abcdef\\nab\\n\\nxyz", true);
    EXPECT_FALSE(column.Draw(text, &y));
    std::vector<ShownText> shown = column.canvas.Shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, "abc");
    EXPECT_NEAR(shown[0].x, 0.0, 1e-9);
    EXPECT_EQ(shown[1].text, "ab");
    EXPECT_NEAR(shown[1].x, (width - Width("ab")) / 2, 1e-9);
    EXPECT_EQ(shown[2].y, 60.0);  // the empty line took its height
    EXPECT_EQ(shown[2].text.substr(0, 2), "xy");
    EXPECT_EQ(text->lines[0], "abc");  // the cut is kept in the line

    // Nothing fits a column without width: nothing is drawn.
    Column none(0);
    y = 100;
    none.Draw(none.Add("abc", true), &y);
    EXPECT_TRUE(none.canvas.Shown().empty());
    EXPECT_EQ(y, 85.0);
}

TEST(TextLayout, ParagraphWithoutAUsableFontStops)
{
    Column column(100);
    double y = 50;
    EXPECT_TRUE(column.Draw(column.Add("x", false, -1), &y));
    EXPECT_TRUE(column.Draw(column.Add("x", false, 0, 0), &y));
    EXPECT_EQ(y, 50.0);
    EXPECT_TRUE(column.canvas.calls.empty());
}

// The wrapping steps done literally: copy the rest, remove its last
// character and measure it again until it fits, then back off to a blank;
// an empty piece becomes the longest fitting beginning, one character at least.
static Texts ReferencePieces(const std::string &line, double available)
{
    Texts pieces;
    size_t p = 0;
    while (p < line.size()) {
        std::string piece = line.substr(p);
        bool cut = false;
        while (Width(piece.c_str()) > available && !piece.empty()) {
            piece.pop_back();
            cut = true;
        }
        std::string fitting = piece;
        if (cut) {
            while (!piece.empty() && piece.back() != ' ')
                piece.pop_back();
            if (piece.empty())
                piece = fitting.empty() ? line.substr(p, 1) : fitting;
        }
        pieces.push_back(piece);
        p += piece.size();
        while (p < line.size() && line[p] == ' ')
            ++p;
    }
    return pieces;
}

TEST(TextLayout, RunningSumFittingMatchesRemeasuringAfterEveryCharacter)
{
    std::mt19937 random(7);
    const char alphabet[] = "  aWil.,Mj%\xe9\xc6";
    for (int round = 0; round < 200; ++round) {
        std::string line;
        const int length = 1 + static_cast<int>(random() % 60);
        for (int k = 0; k < length; ++k)
            line += alphabet[random() % (sizeof alphabet - 1)];
        // Widths at the border between two lengths matter most: take the
        // width of a beginning now and then.
        double available = random() % 2 ? Width(line.substr(0, random() % line.size()).c_str())
                                         : (random() % 9000) / 100.0;
        Column column(available);
        double y = 1e6;
        column.Draw(column.Add(line.c_str(), false), &y);
        EXPECT_EQ(column.ShownTexts(), ReferencePieces(line, available)) << line << " in " << available;
    }
}
