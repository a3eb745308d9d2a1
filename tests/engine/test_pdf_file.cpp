// Generation into real PDF files: the messages, the document's structure,
// the fonts, failures, stops, and the external checks qpdf and pdftotext.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "AlbumData.h"
#include "AlbumPdf.h"
#include "PdfDoc.h"
#include "RecordingContents.h"
#include "TestSupport.h"

namespace {

bool FileExists(const std::string &path)
{
    return access(path.c_str(), F_OK) == 0;
}

size_t Count(const std::string &text, const std::string &what)
{
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

bool HaveTool(const char *tool)
{
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// Output of a shell command, with its exit status in *status.
std::string RunCommand(const std::string &command, int *status)
{
    std::string output;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, got);
    *status = pclose(pipe);
    return output;
}

const char *const STAMP_TEXTS[9] = {"1840", "Penny Black", nullptr, "SG 1", "1d", "black",
                                    "plate 1a", "mint", "used"};

// The worked example's A4 album, two pages with paragraphs and rows.
void BuildAlbum(CAlbumData &album)
{
    album.SetPageSize(210, 297);
    album.SetMargins(25, 12, 15, 15, true);
    album.SetBorder(0.5, 0.1, 1.0);
    album.SetSpacing(6, 6);
    album.SetTitle(1, 16, "Great Britain");
    album.AddPage(-1, -1);
    album.AddText(0, 12, "Queen Victoria: the first adhesive postage stamps of the world, "
                         "issued in May 1840 for the uniform penny post.", false);
    album.AddText(5, 14, "Line Engraved Issues", true);
    album.AddRow(4, 6, 0.2, ROW_SPACING_EQUAL, 0);
    album.AddStamp(25, 30, STAMP_TEXTS);
    album.AddStamp(25, 30, STAMP_TEXTS);
    album.AddTriangleStamp(30, 25, STAMP_TEXTS);
    album.AddPage(8, 8);
    album.AddRow(6, 8, 0.3, ROW_SPACING_FIXED, 4);
    album.AddStamp(40, 30, STAMP_TEXTS);
    album.AddStamp(40, 30, STAMP_TEXTS);
}

// An element that records the cursor it is drawn at and moves it to a
// given place; it can also ask the generation to stop.
class ProbeElement : public CAlbumElement {
public:
    ProbeElement(double moveTo, bool stop, std::vector<double> *seen)
        : moveTo_(moveTo), stop_(stop), seen_(seen) {}
    bool Draw(CAlbumData *, CAlbumPage *, PdfContents *, double *y, int) override
    {
        seen_->push_back(*y);
        *y = moveTo_;
        return stop_;
    }

private:
    double moveTo_;
    bool stop_;
    std::vector<double> *seen_;
};

}  // namespace

TEST(PdfFile, WritesOnePagePerAlbumPageWithTheFontsAndTexts)
{
    ScratchDir dir;
    const std::string path = dir.File("album.pdf");
    CAlbumData album;
    BuildAlbum(album);
    MessageCapture messages;

    EXPECT_EQ(CreateAlbumPdf(&album, path.c_str()), 0);

    EXPECT_EQ(messages.all(), "Creating " + path + "\nFinished Creating " + path + "\n");
    EXPECT_EQ(album.contents, nullptr);
    const std::string pdf = ReadFile(path);
    EXPECT_EQ(Count(pdf, "/Type /Page\n"), 2u);
    EXPECT_EQ(Count(pdf, "/MediaBox [ 0 0 595 841 ]"), 2u);
    EXPECT_EQ(Count(pdf, "/Count 2"), 2u);  // the root and its one branch of pages
    for (const char *font : {"Times-Roman", "Times-Bold", "Times-Italic", "Times-BoldItalic", "Helvetica",
                             "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique"})
        EXPECT_EQ(Count(pdf, std::string("/BaseFont /") + font + "\n"), 1u) << font;
    EXPECT_EQ(Count(pdf, "/WinAnsiEncoding"), 8u);
    EXPECT_EQ(Count(pdf, "/FlateDecode"), 0u);  // content stays uncompressed
    EXPECT_NE(pdf.find("(Penny Black) Tj"), std::string::npos);

    int status = -1;
    if (HaveTool("qpdf")) {
        std::string report = RunCommand("qpdf --check '" + path + "' 2>&1", &status);
        EXPECT_EQ(status, 0) << report;
    }
    if (HaveTool("pdftotext")) {
        std::string text = RunCommand("pdftotext -layout '" + path + "' - 2>&1", &status);
        EXPECT_EQ(status, 0);
        for (const char *expected : {"Great Britain", "Queen Victoria", "Line Engraved Issues", "Penny Black",
                                     "SG 1", "plate 1a", "used"})
            EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
}

// Every font specifier prints in its own standard font: an album whose title,
// paragraph and stamp texts all take one specifier uses that one font alone.
TEST(PdfFile, EachFontSpecifierPrintsInItsOwnFont)
{
    if (!HaveTool("pdffonts"))
        GTEST_SKIP() << "pdffonts is not installed";
    const char *const fonts[8][2] = {
        {"TN", "Times-Roman"}, {"TB", "Times-Bold"}, {"TI", "Times-Italic"}, {"TS", "Times-BoldItalic"},
        {"HN", "Helvetica"}, {"HB", "Helvetica-Bold"}, {"HI", "Helvetica-Oblique"},
        {"HS", "Helvetica-BoldOblique"}};
    ScratchDir dir;
    const std::string path = dir.File("fonts.pdf");
    MessageCapture messages;
    for (int k = 0; k < 8; ++k) {
        const std::string font = fonts[k][0];
        ASSERT_EQ(ParseText("ALBUM_PAGES_SIZE (210 297)\nALBUM_PAGES_MARGINS (20 20 15 15)\n"
                            "ALBUM_PAGES_SPACING (5 5)\nALBUM_PAGES_TITLE (" + font + " 14 \"Title\")\n"
                            "PAGE_START\nPAGE_TEXT (" + font + " 10 \"Text\")\n"
                            "ROW_START_ES (" + font + " 7 0.2)\nSTAMP_ADD (20 20 \"in\" \"\" \"\" \"L\" \"C\" \"R\")\n"),
                  0) << messages.all();
        ASSERT_EQ(CreateAlbumPdf(&theAlbum, path.c_str()), 0) << messages.all();
        int status = -1;
        const std::string report = RunCommand("pdffonts '" + path + "' 2>&1", &status);
        EXPECT_EQ(status, 0) << report;
        // A header of two lines, then one line per font the page uses.
        EXPECT_EQ(Count(report, "\n"), 3u) << font << "\n" << report;
        EXPECT_EQ(Count(report, std::string("\n") + fonts[k][1] + " "), 1u) << font << "\n" << report;
    }
    theAlbum.Clear();
}

TEST(PdfFile, MediaBoxIsThePageSizeInWholePoints)
{
    ScratchDir dir;
    const std::string path = dir.File("letter.pdf");
    CAlbumData album;
    album.SetPageSize(215.9, 279.4);
    album.SetMargins(10, 10, 10, 10, true);
    album.SetSpacing(5, 5);
    album.AddPage(-1, -1);
    MessageCapture messages;
    ASSERT_EQ(CreateAlbumPdf(&album, path.c_str()), 0);
    EXPECT_EQ(Count(ReadFile(path), "/MediaBox [ 0 0 612 792 ]"), 1u);
}

TEST(PdfFile, AlbumWithoutPagesGivesADocumentWithoutPages)
{
    ScratchDir dir;
    const std::string path = dir.File("empty.pdf");
    CAlbumData album;
    album.SetPageSize(210, 297);
    album.SetMargins(10, 10, 10, 10, true);
    album.SetSpacing(5, 5);
    MessageCapture messages;
    ASSERT_EQ(CreateAlbumPdf(&album, path.c_str()), 0);
    EXPECT_EQ(messages.all(), "Creating " + path + "\nFinished Creating " + path + "\n");
    const std::string pdf = ReadFile(path);
    EXPECT_NE(pdf.find("/Count 0"), std::string::npos);
    EXPECT_EQ(Count(pdf, "/MediaBox"), 0u);
}

TEST(PdfFile, FailuresAndMissingSettingsAreReported)
{
    ScratchDir dir;
    // All three settings missing, and each one alone (margins given for even
    // pages only do not count): every missing one is reported, nothing written.
    const struct {
        bool size, margins, spacing;
        const char *shown;
    } missing[] = {
        {false, false, false,
         "<R>Error: <n>Page size not defined.\n<R>Error: <n>Page margins not set.\n"
         "<R>Error: <n>Page spacing not set.\n"},
        {false, true, true, "<R>Error: <n>Page size not defined.\n"},
        {true, false, true, "<R>Error: <n>Page margins not set.\n"},
        {true, true, false, "<R>Error: <n>Page spacing not set.\n"},
    };
    for (const auto &c : missing) {
        SCOPED_TRACE(c.shown);
        CAlbumData album;
        if (c.size)
            album.SetPageSize(210, 297);
        album.SetMargins(25, 12, 15, 17, c.margins);
        if (c.spacing)
            album.SetSpacing(5, 6);
        album.AddPage(-1, -1);
        MessageCapture messages;
        EXPECT_EQ(CreateAlbumPdf(&album, dir.File("none.pdf").c_str()), 1);
        EXPECT_EQ(messages.all(), c.shown);
        EXPECT_FALSE(FileExists(dir.File("none.pdf")));
    }
    {
        // The output cannot be opened: its directory does not exist.
        CAlbumData album;
        BuildAlbum(album);
        const std::string path = dir.File("missing/album.pdf");
        MessageCapture messages;
        EXPECT_EQ(CreateAlbumPdf(&album, path.c_str()), 1);
        EXPECT_EQ(messages.all(), "Creating " + path + "\n\n<R>Error: <n>cannot write to " + path +
                                      "\n       If you have it open for viewing, please close the viewer.\n");
    }
    {
        // A negative border line width is refused by the library's first
        // line-width call, before anything is written.
        CAlbumData album;
        BuildAlbum(album);
        album.SetBorder(-0.5, 0.1, 1.0);
        const std::string path = dir.File("negative.pdf");
        MessageCapture messages;
        EXPECT_EQ(CreateAlbumPdf(&album, path.c_str()), 1);
        EXPECT_EQ(messages.all(), "<R>PDF library error 0x1056: page value out of range<n>\n");
        EXPECT_FALSE(FileExists(path));
    }
}

TEST(PdfFile, ElementsBelowThePageArePassedOverAndAStopWritesNothing)
{
    ScratchDir dir;
    CAlbumData album;
    album.SetPageSize(210, 297);
    album.SetMargins(25, 12, 15, 15, true);
    album.SetSpacing(6, 6);
    std::vector<double> seen;
    album.AddPage(-1, -1);
    album.firstPage->AddElement(new ProbeElement(100, false, &seen));
    album.firstPage->AddElement(new ProbeElement(0, false, &seen));
    album.firstPage->AddElement(new ProbeElement(50, false, &seen));  // passed over
    album.AddPage(-1, -1);
    album.lastPage->AddElement(new ProbeElement(10, false, &seen));
    MessageCapture messages;

    ASSERT_EQ(CreateAlbumPdf(&album, dir.File("probe.pdf").c_str()), 0);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_NEAR(seen[0], 799.47, 1e-9);
    EXPECT_EQ(seen[1], 100.0);
    EXPECT_NEAR(seen[2], 799.47, 1e-9);  // the next page starts afresh

    // A stop: nothing written, no message, 1.
    album.lastPage->AddElement(new ProbeElement(5, true, &seen));
    const std::string path = dir.File("stopped.pdf");
    messages.clear();
    EXPECT_EQ(CreateAlbumPdf(&album, path.c_str()), 1);
    EXPECT_TRUE(messages.all().empty());
    EXPECT_FALSE(FileExists(path));
}

TEST(PdfLayer, WidthsAreExactGlyphSumsAndFailuresCarryTheirCodes)
{
    RecordingContents canvas;
    const char *text = "Quillory: \xe9t\xe9 1840 \xa3 1d -- WAVY lines";
    for (int font : {0, 3, 4, 7}) {
        canvas.SetFont(font, 7);
        int widths[256];
        canvas.GetGlyphWidths(widths);
        long long units = 0;
        for (const char *p = text; *p; ++p)
            units += widths[static_cast<unsigned char>(*p)];
        EXPECT_EQ(canvas.TextWidth(text), WidthFromGlyphUnits(units, 7)) << font;
        EXPECT_GT(units, 0);
    }

    PdfDoc doc;
    doc.NewDocument();
    PdfContents *contents = doc.AddPage()->GetContents();
    try {
        contents->TextWidth("no font yet");
        ADD_FAILURE() << "no exception";
    } catch (const PdfException &e) {
        EXPECT_EQ(e.GetCode(), -0x104E);
        EXPECT_STREQ(e.what(), "PDF library error 0x104E: no font selected");
    }
    for (int font : {-1, FONT_COUNT})
        EXPECT_THROW(contents->SetFont(font, 10), PdfException) << font;
    try {
        doc.WriteToFile("/nonexistent/dir/x.pdf");
        ADD_FAILURE() << "no exception";
    } catch (const PdfException &e) {
        EXPECT_EQ(e.GetCode(), PDF_WRITE_FAILURE);
    }
}
