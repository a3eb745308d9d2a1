// Robustness against malformed descriptions and unwritable PDF paths: every
// bad input ends with its exact message, no crash, no hang, a model that is
// still whole, and no file touched but the PDF being generated.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "AlbumData.h"
#include "AlbumPdf.h"
#include "TestSupport.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

const std::string SETTINGS = "ALBUM_PAGES_SIZE (210 297)\nALBUM_PAGES_MARGINS (25 12 15 15)\n"
                             "ALBUM_PAGES_SPACING (6 6)\n";
// A small album: four lines of settings and content before any bad line.
const std::string ALBUM = SETTINGS + "PAGE_START\nPAGE_TEXT (HN 10 \"Intro\")\nROW_START_ES (HN 6 0.1)\n"
                                     "STAMP_ADD (20 25 \"a\" \"\" \"\" \"1d\" \"\" \"\")\n";
constexpr int ALBUM_LINES = 7;

std::string Unrecognised(int line)
{
    return "<R>Error in Line " + std::to_string(line) + ": <n>Unrecognised Command.\n";
}

std::string NoPage(int line, const std::string &name, const char *what)
{
    return ParseError(line, name + " attempting to add " + what +
                                " before a page has been declared. Place this command after a PAGE_START command");
}

std::string NoRow(int line, const std::string &name)
{
    return ParseError(line, name + " attempting to add a stamp before a row has been declared. "
                                   "Place this command after a ROW_START command");
}

bool ValidFont(int font, int size)
{
    return font >= 0 && font <= 7 && size >= 1 && size <= 256;
}

// The model's structural rules: both directions of every list agree with its
// ends, the current page and row are the ones started last, every font is
// valid and each row's tallest frame matches its stamps.
::testing::AssertionResult ModelIsWhole(const CAlbumData &album)
{
    if (album.titleText && !ValidFont(album.titleFont, album.titleSize))
        return ::testing::AssertionFailure() << "title without a valid font";
    const CAlbumPage *previousPage = nullptr;
    bool currentRowFound = album.currentRow == nullptr;
    for (const CAlbumPage *page = album.firstPage; page; page = page->next) {
        if (page->prev != previousPage)
            return ::testing::AssertionFailure() << "page list broken";
        const CAlbumElement *previousElement = nullptr;
        for (const CAlbumElement *e = page->firstElement; e; e = e->next) {
            if (e->prev != previousElement)
                return ::testing::AssertionFailure() << "element list broken";
            previousElement = e;
            if (auto *text = dynamic_cast<const CAlbumElementText *>(e)) {
                if (!ValidFont(text->font, text->size) || text->lines.empty())
                    return ::testing::AssertionFailure() << "bad paragraph";
                continue;
            }
            auto *row = dynamic_cast<const CAlbumElementRow *>(e);
            if (!row || !ValidFont(row->font, row->size))
                return ::testing::AssertionFailure() << "bad row";
            currentRowFound = currentRowFound || row == album.currentRow;
            const CAlbumStamp *previousStamp = nullptr;
            double tallest = 0;
            for (const CAlbumStamp *s = row->firstStamp; s; s = s->next) {
                if (s->prev != previousStamp)
                    return ::testing::AssertionFailure() << "stamp list broken";
                previousStamp = s;
                tallest = std::fmax(tallest, s->height);
                for (int k = 0; k < 3; ++k)
                    if ((s->inside[k] && strlen(s->inside[k].get()) > 32) ||
                        (s->below[k] && strlen(s->below[k].get()) > 32) ||
                        (s->below2[k] && strlen(s->below2[k].get()) > 32))
                        return ::testing::AssertionFailure() << "stamp text over 32 characters";
            }
            if (row->lastStamp != previousStamp || row->maxFrameHeight != tallest)
                return ::testing::AssertionFailure() << "row ends or tallest frame wrong";
        }
        if (page->lastElement != previousElement)
            return ::testing::AssertionFailure() << "last element wrong";
        previousPage = page;
    }
    if (album.lastPage != previousPage || album.currentPage != previousPage)
        return ::testing::AssertionFailure() << "last or current page wrong";
    if (!currentRowFound)
        return ::testing::AssertionFailure() << "current row not on any page";
    return ::testing::AssertionSuccess();
}

// What the album holds, as a short text: pages, elements and stamps.
std::string Census(const CAlbumData &album)
{
    std::string census;
    for (const CAlbumPage *p = album.firstPage; p; p = p->next) {
        census += "P";
        for (const CAlbumElement *e = p->firstElement; e; e = e->next) {
            auto *row = dynamic_cast<const CAlbumElementRow *>(e);
            census += row ? "R" : "T";
            if (row)
                for (const CAlbumStamp *s = row->firstStamp; s; s = s->next)
                    census += "s";
        }
    }
    return census + (album.titleText ? "+title" : "");
}

// Deterministic bytes of every value, for garbage inputs.
std::string Garbage(size_t length, uint32_t seed)
{
    std::string bytes(length, '\0');
    for (char &c : bytes) {
        seed = seed * 1664525u + 1013904223u;
        c = static_cast<char>(seed >> 24);
    }
    return bytes;
}

void WriteFile(const std::string &path, const std::string &content)
{
    std::ofstream(path, std::ios::binary) << content;
}

// Every entry under root with its kind and, for files, its content.
std::map<std::string, std::string> Snapshot(const std::string &root)
{
    std::map<std::string, std::string> entries;
    for (const auto &entry : fs::recursive_directory_iterator(root))
        entries[entry.path().string()] = entry.is_regular_file() ? "file:" + ReadFile(entry.path()) : "dir";
    return entries;
}

std::string WriteFailure(const std::string &path)
{
    return "\n<R>Error: <n>cannot write to " + path +
           "\n       If you have it open for viewing, please close the viewer.\n";
}

// A message as the message buffer holds it: whole when it fits, else cut,
// ending its line.
std::string Cut(const std::string &message)
{
    const size_t most = MESSAGE_BUFFER_SIZE - 1;
    return message.size() <= most ? message : message.substr(0, most - 1) + "\n";
}

}  // namespace

// One representative of each way the reader and the command handlers refuse
// a line, each met in the middle of a real album and written the way a hand
// edit gets it wrong. Each ends the parse with exactly its message, keeps the
// album whole with what came before, and the next Generate starts afresh.
TEST(BadInput, EachRefusalEndsTheParseWithItsMessage)
{
    const int n = ALBUM_LINES + 1;  // the bad line's number
    const struct {
        std::string line, message;
    } cases[] = {
        // The reader.
        {"ALBUM_PAGES_SIZE\t(210 297)\r\nPAGE-START\r\n", Unrecognised(n + 1)},
        {"PAGE_TEXT (HN 10 \"ends with the mark\"\\", ParseError(n, "Bad line continuation.")},
        {"PAGE_TEXT (HN 10 \"a\"\\\r\n   more words\")\r\n", ParseError(n + 1, "Bad line continuation.")},
        {"PAGE_TEXT (HN 10 \"" + std::string(3000, 'a') + "\"\\\n\"" + std::string(1200, 'b') + "\")\n",
         ParseError(n + 1, "Bad line continuation.")},
        // The settings and page commands.
        {"ALBUM_PAGES_SIZE (A4)", ParseError(n, "ALBUM_PAGES_SIZE parameters incorrect.")},
        {"ALBUM_PAGES_MARGINS (25;12;15;15)", ParseError(n, "ALBUM_PAGES_MARGINS parameters incorrect.")},
        {"ALBUM_PAGES_MARGINSE", ParseError(n, "ALBUM_PAGES_MARGINS parameters incorrect.")},
        {"ALBUM_PAGES_BORDER (inf nan 1)", ParseError(n, "ALBUM_PAGES_BORDER parameters incorrect.")},
        {"ALBUM_PAGES_SPACING (1e400 6)", ParseError(n, "ALBUM_PAGES_SPACING parameters incorrect.")},
        {"PAGE_START 2", ParseError(n, "PAGE_START should not have any parameters.")},
        {"PAGE_START_VAR [8 8]", ParseError(n, "PAGE_START_VAR parameters incorrect.")},
        {"ALBUM_FONT_WINDOWS ()", ParseError(n, "ALBUM_FONT_WINDOWS should not have any parameters.")},
        {"ROW_ALIGN_TOP\t\xff", ParseError(n, "ROW_ALIGN_TOP should not have any parameters.")},
        {"ROW_ALIGN_BOTTOM on", ParseError(n, "ROW_ALIGN_BOTTOM should not have any parameters.")},
        // The content commands: parameters.
        {"ALBUM_PAGES_TITLE (TB 16 \xe2\x80\x9cSmart quotes\xe2\x80\x9d)",
         ParseError(n, "ALBUM_PAGES_TITLE parameters incorrect.")},
        {"PAGE_TEXT (Helvetica 10 \"a\")", ParseError(n, "PAGE_TEXT parameters incorrect.")},
        {"PAGE_TEXT_CENTRE (HN 300 \"a\")", ParseError(n, "PAGE_TEXT_CENTRE parameters incorrect.")},
        {"ROW_START_ES (HN 6)", ParseError(n, "ROW_START_ES parameters incorrect.")},
        {"ROW_START_JS (hn 6 0.1)", ParseError(n, "ROW_START_JS parameters incorrect.")},
        {"ROW_START_FS (HN 6 0.1)", "<R>Error in Line " + std::to_string(n) + ":<n>ROW_START_FS parameters incorrect.\n"},
        {"STAMP_ADD (20mm 25mm \"\" \"\" \"\" \"\" \"\" \"\")", ParseError(n, "STAMP_ADD parameters incorrect.")},
        {"STAMP_ADDX (20 25 \"" + std::string(3000, 'x') + "\" \"\" \"\" \"\" \"\" \"\" \"\" \"\")",
         ParseError(n, "STAMP_ADDX parameters incorrect.")},
        {"STAMP_ADD_TRIANGLE (20 25 \"a\" \"b\" \"c", ParseError(n, "STAMP_ADD_TRIANGLE parameters incorrect.")},
    };
    for (const auto &c : cases) {
        MessageCapture capture;
        ASSERT_EQ(ParseText(ALBUM), 0);
        const std::string before = Census(theAlbum);
        EXPECT_EQ(ParseText(ALBUM + c.line), 1) << c.line.substr(0, 60);
        EXPECT_EQ(capture.all(), c.message) << c.line.substr(0, 60);
        EXPECT_EQ(Census(theAlbum), before) << c.line.substr(0, 60);
        EXPECT_TRUE(ModelIsWhole(theAlbum)) << c.line.substr(0, 60);
    }

    // The missing page or row comes first, whatever the parameters hold.
    const struct {
        std::string text, message;
    } early[] = {
        {"PAGE_TEXT (\x01\x02", NoPage(1, "PAGE_TEXT", "text")},
        {"page_text_centre \"", NoPage(1, "PAGE_TEXT_CENTRE", "text")},
        {"ROW_START_ES (HN 6 0.1)", NoPage(1, "ROW_START_ES", "a row")},
        {"Row_Start_Js", NoPage(1, "ROW_START_JS", "a row")},
        {"ROW_START_FS (", NoPage(1, "ROW_START_FS", "a row")},
        {"PAGE_START\nSTAMP_ADD (20 25 \"\" \"\" \"\" \"\" \"\" \"\")", NoRow(2, "STAMP_ADD")},
        {"PAGE_START\nPAGE_TEXT (HN 1 \"x\")\nSTAMP_ADDX", NoRow(3, "STAMP_ADDX")},
        {"STAMP_ADD_TRIANGLE (((", NoRow(1, "STAMP_ADD_TRIANGLE")},
    };
    for (const auto &c : early) {
        MessageCapture capture;
        EXPECT_EQ(ParseText(c.text), 1) << c.text;
        EXPECT_EQ(capture.all(), c.message) << c.text;
        EXPECT_TRUE(ModelIsWhole(theAlbum)) << c.text;
    }
}

// Files that are no description at all: each is refused at its first line,
// or read to its end, with no crash and at most one message.
TEST(BadInput, BinaryFilesAndNulBytes)
{
    const struct {
        std::string text;
        int result;
        std::string message;
    } cases[] = {
        {"\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s, 1, Unrecognised(1)},
        {"%PDF-1.3\n%\xe2\xe3\xcf\xd3\n1 0 obj\n", 1, Unrecognised(1)},
        {"\xff\xfe" "A\0L\0B\0U\0M\0"s, 1, Unrecognised(1)},  // UTF-16
        {"\xef\xbb\xbf" "ALBUM_PAGES_SIZE (210 297)\n", 0, ""},  // a UTF-8 byte order mark is skipped
        // A NUL ends the text of its line; the rest of that line is not read.
        {"PAGE_START\0 BOGUS\n\0\0\0\n\0BOGUS\nPAGE_START"s, 0, ""},
        {"PAGE_START\nPAGE_TEXT (HN 10 \"ab\0cd\")\n"s, 1,
         ParseError(2, "PAGE_TEXT parameters incorrect.")},
        {"PAGE_START\nROW_START_ES (HN 6 0.1)\nSTAMP_ADD (1\0 2 \"\" \"\" \"\" \"\" \"\" \"\")"s, 1,
         ParseError(3, "STAMP_ADD parameters incorrect.")},
        {"\0\n\0\nBOGUS\n"s, 1, Unrecognised(3)},
    };
    for (const auto &c : cases) {
        MessageCapture capture;
        EXPECT_EQ(ParseText(c.text), c.result) << c.text;
        EXPECT_EQ(capture.all(), c.message) << c.text;
        EXPECT_TRUE(ModelIsWhole(theAlbum));
    }

    // Bytes of every value, from many seeds: whatever happens, one message at
    // most, in the parse error form, and a whole model.
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        MessageCapture capture;
        const int result = ParseText(Garbage(1 + seed * 97 % 20000, seed));
        ASSERT_TRUE(result == 0 || result == 1) << seed;
        ASSERT_EQ(capture.messages().size(), static_cast<size_t>(result)) << seed;
        if (result) {
            EXPECT_EQ(capture.all().rfind("<R>Error in Line ", 0), 0u) << seed;
        }
        EXPECT_TRUE(ModelIsWhole(theAlbum)) << seed;
    }
}

TEST(BadInput, HugeLinesAndFiles)
{
    MessageCapture capture;
    const std::string megabyte(1 << 20, 'a');
    // A paragraph text of a megabyte: its first piece has no closing quote.
    EXPECT_EQ(ParseText("PAGE_START\nPAGE_TEXT (HN 10 \"" + megabyte + "\")\n"), 1);
    // A comment of a megabyte: the pieces after its first are commands.
    EXPECT_EQ(ParseText("# " + megabyte + "\nPAGE_START\n"), 1);
    EXPECT_EQ(capture.all(), ParseError(2, "PAGE_TEXT parameters incorrect.") + Unrecognised(2));

    // 100 000 stamps in one row, with CR LF line ends, then an error.
    capture.clear();
    std::string many = ALBUM;
    for (int i = 0; i < 100000; ++i)
        many += "STAMP_ADD_TRIANGLE (1 1 \"\" \"\" \"\" \"\" \"\" \"\")\r\n";
    EXPECT_EQ(ParseText(many + "FINISH\r\n"), 1);
    EXPECT_EQ(capture.all(), Unrecognised(ALBUM_LINES + 100001));
    EXPECT_EQ(Census(theAlbum), "PTR" + std::string(100001, 's'));
    EXPECT_TRUE(ModelIsWhole(theAlbum));
}

// The shell refuses a directory before the reader sees it; a stream opened on
// one reads as an empty file at the engine's level.
TEST(BadInput, DirectoryStreamReadsAsEmpty)
{
    ScratchDir scratch;
    FILE *directory = fopen(scratch.path().c_str(), "r");
    if (!directory)
        GTEST_SKIP() << "this C library does not open directories as streams";
    MessageCapture capture;
    ASSERT_EQ(ParseText(ALBUM), 0);
    EXPECT_EQ(ParseAlbumFile(directory), 0);
    fclose(directory);
    EXPECT_EQ(capture.all(), "");
    EXPECT_EQ(Census(theAlbum), "");
}

// PDF paths that cannot be written: "Creating" and then the write failure,
// nothing written anywhere, nothing already there changed.
TEST(BadInput, UnwritablePdfPaths)
{
    ScratchDir scratch;
    const std::string dir = scratch.path();
    WriteFile(dir + "/album.txt", ALBUM);
    WriteFile(dir + "/plain-file", "keep me");
    WriteFile(dir + "/older.pdf", "%PDF-1.3 an earlier album");
    fs::create_directory(dir + "/album.pdf");
    WriteFile(dir + "/album.pdf/inside", "keep me too");
    const auto before = Snapshot(dir);

    const std::string paths[] = {
        dir + "/no-such-dir/album.pdf",  // a directory that does not exist
        dir + "/album.pdf",              // a directory itself
        dir + "/plain-file/album.pdf",   // a regular file used as a directory
        dir + "/" + std::string(LONGEST_PDF_PATH - dir.size() - 1, 'p'),  // too long a path, shown whole
        dir + "/" + std::string(2 * MESSAGE_BUFFER_SIZE, 'o'),  // longer than any message: cut
    };
    for (const std::string &path : paths) {
        MessageCapture capture;
        ASSERT_EQ(ParseText(ALBUM), 0);
        EXPECT_EQ(CreateAlbumPdf(&theAlbum, path.c_str()), 1) << path.size();
        ASSERT_EQ(capture.messages().size(), 2u) << path.size();
        // Every path up to the longest a description can give is shown whole.
        const auto shown = [&](const std::string &m) { return path.size() <= LONGEST_PDF_PATH ? m : Cut(m); };
        EXPECT_EQ(capture.messages()[0], shown("Creating " + path + "\n")) << path.size();
        EXPECT_EQ(capture.messages()[1], shown(WriteFailure(path))) << path.size();
        EXPECT_EQ(strlen(gMessageBuffer), std::min<size_t>(WriteFailure(path).size(), MESSAGE_BUFFER_SIZE - 1));
        EXPECT_EQ(Snapshot(dir), before) << path.size();
    }
}

// Generation writes its PDF and nothing else: a long path that can be written
// is written under its full name and shown whole, an earlier PDF is replaced,
// and a failure before writing leaves the earlier PDF as it was.
TEST(BadInput, GenerationTouchesOnlyItsPdf)
{
    ScratchDir scratch;
    const std::string dir = scratch.path();
    WriteFile(dir + "/album.txt", ALBUM);
    WriteFile(dir + "/album.pdf", "%PDF-1.3 an earlier album");
    fs::create_directory(dir + "/sub");
    WriteFile(dir + "/sub/other.pdf", "another album");
    auto before = Snapshot(dir);

    MessageCapture capture;
    const std::string longPath = dir + "/sub/" + std::string(250, 'q') + ".pdf";
    ASSERT_EQ(ParseText(ALBUM), 0);
    EXPECT_EQ(CreateAlbumPdf(&theAlbum, longPath.c_str()), 0);
    EXPECT_EQ(capture.all(), "Creating " + longPath + "\nFinished Creating " + longPath + "\n");
    auto after = Snapshot(dir);
    ASSERT_EQ(after.count(longPath), 1u);
    EXPECT_EQ(after[longPath].rfind("file:%PDF-", 0), 0u);
    after.erase(longPath);
    EXPECT_EQ(after, before);

    // A library failure while the pages are built: no "Creating", no write.
    capture.clear();
    const std::string pdf = dir + "/album.pdf";
    before = Snapshot(dir);
    ASSERT_EQ(ParseText(ALBUM + "ALBUM_PAGES_BORDER (-1 0.1 1)\n"), 0);
    EXPECT_EQ(CreateAlbumPdf(&theAlbum, pdf.c_str()), 1);
    ASSERT_EQ(capture.messages().size(), 1u);
    EXPECT_EQ(capture.all().rfind("<R>", 0), 0u);
    EXPECT_EQ(Snapshot(dir), before);

    // Refused settings: no document, nothing written.
    capture.clear();
    ASSERT_EQ(ParseText("PAGE_START\n"), 0);
    EXPECT_EQ(CreateAlbumPdf(&theAlbum, pdf.c_str()), 1);
    EXPECT_EQ(capture.all(), "<R>Error: <n>Page size not defined.\n<R>Error: <n>Page margins not set.\n"
                             "<R>Error: <n>Page spacing not set.\n");
    EXPECT_EQ(Snapshot(dir), before);

    // The earlier PDF of the same name is replaced whole.
    capture.clear();
    ASSERT_EQ(ParseText(ALBUM), 0);
    EXPECT_EQ(CreateAlbumPdf(&theAlbum, pdf.c_str()), 0);
    after = Snapshot(dir);
    EXPECT_NE(after[pdf], before[pdf]);
    EXPECT_EQ(after[pdf].rfind("file:%PDF-", 0), 0u);
    EXPECT_NE(after[pdf].find("%%EOF"), std::string::npos);
    after.erase(pdf);
    before.erase(pdf);
    EXPECT_EQ(after, before);
}

// Lengths so huge that the layout's sums give inf - inf: a position that is
// not a number is refused as a library failure, and no broken PDF is written.
TEST(BadInput, PositionsThatAreNotNumbers)
{
    ScratchDir scratch;
    const std::string pdf = scratch.path() + "/album.pdf";
    const std::string content = "PAGE_START\nPAGE_TEXT (HN 10 \"text\")\n";
    const char *settings[] = {
        // The element area's left edge.
        "ALBUM_PAGES_MARGINS (-1e308 -1e308 10 10)\nALBUM_PAGES_SPACING (1e308 1e308)\n",
        // The title's baseline.
        "ALBUM_PAGES_MARGINS (10 10 -1e308 10)\nALBUM_PAGES_SPACING (5 1e308)\nALBUM_PAGES_TITLE (TB 16 \"T\")\n",
        // The border's width.
        "ALBUM_PAGES_MARGINS (1e308 -1e308 10 10)\nALBUM_PAGES_SPACING (5 5)\nALBUM_PAGES_BORDER (1 1 1)\n",
    };
    for (const char *s : settings) {
        MessageCapture capture;
        ASSERT_EQ(ParseText("ALBUM_PAGES_SIZE (148 210)\n" + std::string(s) + content), 0);
        EXPECT_EQ(CreateAlbumPdf(&theAlbum, pdf.c_str()), 1) << s;
        EXPECT_EQ(capture.all(), "<R>PDF library error 0x1057: real number out of range<n>\n") << s;
        EXPECT_FALSE(fs::exists(pdf)) << s;
    }
}

// An album left behind by a refused line is still one generation can walk.
TEST(BadInput, AlbumLeftByARefusalStillGenerates)
{
    ScratchDir scratch;
    const std::string pdf = scratch.path() + "/partial.pdf";
    for (const char *bad : {"STAMP_ADD (1", "PAGE_TEXT (HN 10 \"\\", "PAGE_START\nROW_START_FS (HN"}) {
        MessageCapture capture;
        ASSERT_EQ(ParseText(ALBUM + bad), 1);
        capture.clear();
        EXPECT_EQ(CreateAlbumPdf(&theAlbum, pdf.c_str()), 0) << bad;
        EXPECT_EQ(capture.all(), "Creating " + pdf + "\nFinished Creating " + pdf + "\n") << bad;
    }
}

// Inputs that once made the reader or generation crash, hang or trip a
// sanitizer (fuzz/regressions/), replayed as the fuzz target runs them: parsed
// and, when accepted, generated.
TEST(BadInput, FuzzRegressionsReplay)
{
    const fs::path dir = fs::path(__FILE__).parent_path() / ".." / ".." / "fuzz" / "regressions";
    if (!fs::is_directory(dir))
        GTEST_SKIP() << "no regression inputs at " << dir;
    ScratchDir scratch;
    const std::string pdf = scratch.path() + "/replay.pdf";
    size_t replayed = 0;
    for (const auto &entry : fs::directory_iterator(dir)) {
        if (!entry.is_regular_file() || entry.path().filename() == "README")
            continue;
        MessageCapture capture;
        const int result = ParseText(ReadFile(entry.path()));
        EXPECT_TRUE(result == 0 || result == 1) << entry.path();
        EXPECT_TRUE(ModelIsWhole(theAlbum)) << entry.path();
        if (result == 0)
            CreateAlbumPdf(&theAlbum, pdf.c_str());
        ++replayed;
    }
    EXPECT_GT(replayed, 0u);
}
