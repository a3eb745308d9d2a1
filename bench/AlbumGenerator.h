// Large albums for the benchmarks: the same album as a description text (to
// time the reader) and built directly through the model's operations.
#pragma once

#include <string>

#include "AlbumData.h"

namespace bench {

const char *const WORDS[] = {"the", "first", "adhesive", "postage", "stamps", "were", "issued", "in",
                             "May", "1840", "for", "uniform", "penny", "post", "Great", "Britain",
                             "Mulready", "stationery", "plate", "numbers", "engraved", "corner", "letters"};
constexpr int WORD_COUNT = sizeof WORDS / sizeof WORDS[0];

// A sentence-like text of about length characters, blanks between words.
inline std::string Prose(int length, int seed)
{
    std::string text;
    for (int k = seed; static_cast<int>(text.size()) < length; ++k) {
        if (!text.empty())
            text += ' ';
        text += WORDS[(k * 7 + seed) % WORD_COUNT];
    }
    text.resize(length);
    return text;
}

// Album-wide settings of every generated album: A4 with border and title.
inline std::string SettingsText(double leftMargin, double rightMargin, double height = 297)
{
    return "ALBUM_PAGES_SIZE (210 " + std::to_string(height) + ")\n"
           "ALBUM_PAGES_MARGINS (" + std::to_string(leftMargin) + " " + std::to_string(rightMargin) +
           " 15 15)\n"
           "ALBUM_PAGES_BORDER (0.5 0.1 1.0)\n"
           "ALBUM_PAGES_SPACING (6 6)\n"
           "ALBUM_PAGES_TITLE (TB 16 \"Great Britain 1840 - 1870\")\n";
}

inline void ApplySettings(CAlbumData &album, double leftMargin, double rightMargin, double height = 297)
{
    album.SetPageSize(210, height);
    album.SetMargins(leftMargin, rightMargin, 15, 15, true);
    album.SetBorder(0.5, 0.1, 1.0);
    album.SetSpacing(6, 6);
    album.SetTitle(1, 16, "Great Britain 1840 - 1870");
}

// One page: a heading, a paragraph, three rows (ES with two caption rows,
// JS, FS with a triangle) and a closing paragraph.
inline std::string PageText(int page)
{
    std::string text = "PAGE_START\n";
    text += "PAGE_TEXT_CENTRE (HB 14 \"Page " + std::to_string(page) + "\\nLine Engraved Issues\")\n";
    text += "PAGE_TEXT (TN 11 \"" + Prose(300, page) + "\")\n";
    text += "ROW_START_ES (HN 6 0.2)\n";
    for (int k = 0; k < 5; ++k)
        text += "STAMP_ADDX (25 30 \"1840\" \"1d black\" \"\" \"SG " + std::to_string(k + 1) +
                "\" \"plate 1a\" \"mint\" \"used\" \"\" \"pair\")\n";
    text += "ROW_START_JS (HN 6 0.2)\n";
    for (int k = 0; k < 4; ++k)
        text += "STAMP_ADD (35 25 \"2d\" \"blue\" \"\" \"SG " + std::to_string(k + 10) + "\" \"\" \"used\")\n";
    text += "ROW_START_FS (HI 7 0.3 4)\n";
    text += "STAMP_ADD_TRIANGLE (30 26 \"Cape\" \"\" \"\" \"\" \"1853\" \"\")\n";
    text += "STAMP_ADD (30 26 \"4d\" \"\" \"\" \"\" \"carmine\" \"\")\n";
    text += "PAGE_TEXT (TI 9 \"" + Prose(200, page + 3) + "\")\n";
    return text;
}

inline void AddPage(CAlbumData &album, int page)
{
    album.AddPage(-1, -1);
    album.AddText(5, 14, ("Page " + std::to_string(page) + "\\nLine Engraved Issues").c_str(), true);
    album.AddText(0, 11, Prose(300, page).c_str(), false);
    album.AddRow(4, 6, 0.2, ROW_SPACING_EQUAL, 0);
    for (int k = 0; k < 5; ++k) {
        const std::string sg = "SG " + std::to_string(k + 1);
        const char *texts[9] = {"1840", "1d black", "", sg.c_str(), "plate 1a", "mint", "used", "", "pair"};
        album.AddStamp(25, 30, texts);
    }
    album.AddRow(4, 6, 0.2, ROW_SPACING_JUSTIFIED, 0);
    for (int k = 0; k < 4; ++k) {
        const std::string sg = "SG " + std::to_string(k + 10);
        const char *texts[9] = {"2d", "blue", "", sg.c_str(), "", "used"};
        album.AddStamp(35, 25, texts);
    }
    album.AddRow(6, 7, 0.3, ROW_SPACING_FIXED, 4);
    const char *cape[9] = {"Cape", "", "", "", "1853", ""};
    album.AddTriangleStamp(30, 26, cape);
    const char *four[9] = {"4d", "", "", "", "carmine", ""};
    album.AddStamp(30, 26, four);
    album.AddText(2, 9, Prose(200, page + 3).c_str(), false);
}

inline std::string AlbumText(int pages)
{
    std::string text = SettingsText(25, 12);
    for (int page = 1; page <= pages; ++page)
        text += PageText(page);
    return text;
}

inline void BuildAlbum(CAlbumData &album, int pages)
{
    album.Clear();
    ApplySettings(album, 25, 12);
    for (int page = 1; page <= pages; ++page)
        AddPage(album, page);
}

// One long paragraph line in a column about 26 mm wide (margins 85 and 85 mm)
// on a page 2 m tall, so that the whole line is set: words, or one unbroken word.
constexpr double LONG_PAGE_HEIGHT = 2000;

// The description holds the line in a PAGE_TEXT line of length characters
// in all, the longest line the reader takes.
inline std::string LongLineText(int length, bool oneWord)
{
    const std::string head = "PAGE_TEXT (HN 8 \"", tail = "\")";
    const int textLength = length - static_cast<int>(head.size() + tail.size());
    std::string line = oneWord ? std::string(textLength, 'W') : Prose(textLength, 1);
    return SettingsText(85, 85, LONG_PAGE_HEIGHT) + "PAGE_START\n" + head + line + tail + "\n";
}

// The model holds one paragraph line of length characters.
inline void BuildLongLine(CAlbumData &album, int length, bool oneWord)
{
    album.Clear();
    ApplySettings(album, 85, 85, LONG_PAGE_HEIGHT);
    album.AddPage(-1, -1);
    std::string line = oneWord ? std::string(length, 'W') : Prose(length, 1);
    album.AddText(4, 8, line.c_str(), false);
}

}  // namespace bench
