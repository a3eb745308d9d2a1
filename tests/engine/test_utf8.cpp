// UTF-8 descriptions: converted to code page 1252 as they are read, every
// other description read byte for byte, and the PDF read back.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "AlbumData.h"
#include "AlbumPdf.h"
#include "TestSupport.h"

using namespace std::string_literals;

namespace {

// A text as a UTF-8 editor saves it and as code page 1252 holds it.
struct Twin {
    std::string utf8, winAnsi;
};

const Twin TITLE = {"Österreich 1850 – 1858", "\xD6sterreich 1850 \x96 1858"};
const Twin PARAGRAPH = {"Ärger über Öl: Übermaß – “Café” — ‘Niño’ 90° ½ € … Šÿ™ ç è",
                        "\xC4" "rger \xFC" "ber \xD6l: \xDC" "berma\xDF \x96 \x93" "Caf\xE9\x94 \x97 \x91" "Ni\xF1o\x92 "
                        "90\xB0 \xBD \x80 \x85 \x8A\xFF\x99 \xE7 \xE8"};
const Twin STAMP = {"Größe ½ – 5 €", "Gr\xF6\xDF" "e \xBD \x96 5 \x80"};
const Twin OUTSIDE = {"Ω ☃ 😀 ok", "? ? ? ok"};  // no place in code page 1252

// A one-page album with the twins' texts in the form given.
std::string Album(std::string Twin::*form)
{
    return "ALBUM_PAGES_SIZE (210 297)\r\nALBUM_PAGES_MARGINS (20 20 20 20)\r\nALBUM_PAGES_SPACING (5 5)\r\n"
           "ALBUM_PAGES_TITLE (TB 16 \"" + TITLE.*form + "\")\r\nPAGE_START\r\nPAGE_TEXT_CENTRE (HN 10 \"" +
           PARAGRAPH.*form + "\")\r\nROW_START_ES (HN 8 0.2)\r\nSTAMP_ADD (40 30 \"" + STAMP.*form +
           "\" \"\" \"\" \"" + OUTSIDE.*form + "\" \"\" \"\")\r\n";
}

// The title stored from a description that gives it on its first line.
std::string StoredTitle(const std::string &head, const std::string &tail = "")
{
    MessageCapture capture;
    EXPECT_EQ(ParseText(head + "ALBUM_PAGES_TITLE (HN 10 \"" + tail), 0) << capture.all();
    return theAlbum.titleText ? theAlbum.titleText.get() : "(none)";
}

// Parses text from a stream that fails once it has given all of it.
int ParseThenFail(std::string text)
{
    cookie_io_functions_t io = {};
    io.read = [](void *cookie, char *buffer, size_t size) -> ssize_t {
        std::string *rest = static_cast<std::string *>(cookie);
        if (rest->empty())
            return -1;
        const size_t given = std::min(size, rest->size());
        memcpy(buffer, rest->data(), given);
        rest->erase(0, given);
        return static_cast<ssize_t>(given);
    };
    FILE *file = fopencookie(&text, "r", io);
    if (!file)
        return -1;
    const int result = ParseAlbumFile(file);
    fclose(file);
    return result;
}

// What a shell command writes to its standard output.
std::string Output(const std::string &command)
{
    std::string output;
    FILE *pipe = popen(command.c_str(), "r");
    for (int c; pipe && (c = getc(pipe)) != EOF;)
        output += static_cast<char>(c);
    if (pipe)
        pclose(pipe);
    return output;
}

// Parses text, writes its PDF and returns what command prints with the PDF
// as its input; "" when the PDF was not written.
std::string ShowPdf(const std::string &text, const std::string &command)
{
    char path[] = "/tmp/quillory_utf8_XXXXXX";
    const int descriptor = mkstemp(path);
    if (descriptor < 0)
        return "";
    close(descriptor);
    MessageCapture capture;
    const bool written = ParseText(text) == 0 && CreateAlbumPdf(&theAlbum, path) == 0;
    const std::string shown = written ? Output(command + " < '" + path + "'") : "";
    remove(path);
    return shown;
}

}  // namespace

TEST(Utf8, ConvertedOnlyWhenTheWholeFileIsUtf8)
{
    const struct {
        std::string head, title, stored;
    } cases[] = {
        {"", TITLE.utf8 + "\")\n", TITLE.winAnsi},
        {"", TITLE.winAnsi + "\")\n", TITLE.winAnsi},  // code page 1252 as it is
        {"", OUTSIDE.utf8 + " \xC2\x85 \xEF\xBB\xBF\")\n", OUTSIDE.winAnsi + " ? ?"},  // C1 control, inner mark
        {"\xEF\xBB\xBF", "Plain\")\n", "Plain"},           // a byte-order mark is skipped
        {"\xEF\xBB\xBF", "\xC3\xA9\")\n", "\xE9"},
        // One flaw anywhere leaves the whole file as it is.
        {"", "\xC3\xA9 \xE9\")\n", "\xC3\xA9 \xE9"},                  // a lone code page 1252 byte
        {"", "\xC3\xA9 \xC0\xAF \xE0\x80\xAF\")\n", "\xC3\xA9 \xC0\xAF \xE0\x80\xAF"},  // overlong forms
        {"", "\xC3\xA9 \xED\xA0\x80\")\n", "\xC3\xA9 \xED\xA0\x80"},  // a surrogate
        {"", "\xC3\xA9 \xF4\x90\x80\x80\")\n", "\xC3\xA9 \xF4\x90\x80\x80"},  // above U+10FFFF
        {"", "\xC3\xA9\")\n# \xC3", "\xC3\xA9"},                      // cut short at the end
        // The file ends for the reader at a Ctrl-Z; a NUL is an ordinary UTF-8 character.
        {"", "\xC3\xA9\")\n# \0 x\n\x1a\xE9"s, "\xE9"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(StoredTitle(c.head, c.title), c.stored) << c.title;

    // A mark before a file that is no UTF-8 stays, and spoils the first keyword.
    MessageCapture capture;
    EXPECT_EQ(ParseText("\xEF\xBB\xBF" "ALBUM_PAGES_TITLE (HN 10 \"\xE9\")\n"), 1);
    EXPECT_EQ(capture.all(), "<R>Error in Line 1: <n>Unrecognised Command.\n");
}

TEST(Utf8, LimitsAndLineNumbersCountConvertedCharacters)
{
    MessageCapture capture;
    // 4093 converted characters and the line feed make one read.
    std::string text = "#";
    for (int i = 0; i < 4092; ++i)
        text += "é";
    EXPECT_EQ(ParseText(text + "\r\nPAGE_START\r\nROW_START_ES (HN 8 0.2)\r\nBOGUS é\r\n"), 1);
    EXPECT_EQ(capture.all(), "<R>Error in Line 4: <n>Unrecognised Command.\n");

    // A stamp text keeps its first 32 characters, not bytes.
    std::string stamp;
    for (int i = 0; i < 33; ++i)
        stamp += "Ä";
    capture.clear();
    ASSERT_EQ(ParseText("PAGE_START\nROW_START_ES (HN 8 0.2)\nSTAMP_ADD (20 20 \"" + stamp + "\" \"\" \"\" \"\" \"\" \"\")"),
              0);
    EXPECT_EQ(std::string(theAlbum.currentRow->firstStamp->inside[0].get()), std::string(32, '\xC4'));

    // A read error loses the line it broke off; the rest is judged without it.
    EXPECT_EQ(ParseThenFail("PAGE_START\nPAGE_TEXT (HN 10 \"Ä\")\nPAGE_TEXT (HN 10 \"\xC3"), 0);
    EXPECT_EQ(static_cast<CAlbumElementText *>(theAlbum.currentPage->firstElement)->lines[0], "\xC4");
    EXPECT_EQ(theAlbum.currentPage->firstElement->next, nullptr);
    EXPECT_EQ(capture.all(), "");
}

TEST(Utf8, PdfOfAUtf8AlbumMatchesItsCodePage1252Twin)
{
    const std::string utf8 = Album(&Twin::utf8);
    const std::string expected = ShowPdf(Album(&Twin::winAnsi), "cat");
    ASSERT_NE(expected, "");
    EXPECT_EQ(ShowPdf(utf8, "cat"), expected);
    EXPECT_EQ(ShowPdf("\xEF\xBB\xBF" + utf8, "cat"), expected);

    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftotext is not installed";
    const std::string shown = ShowPdf(utf8, "pdftotext - -");
    for (const std::string &text : {TITLE.utf8, PARAGRAPH.utf8, STAMP.utf8, OUTSIDE.winAnsi})
        EXPECT_NE(shown.find(text), std::string::npos) << text << " is not in:\n" << shown;
}
