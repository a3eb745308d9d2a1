// The description reader: Windows text-mode line reads, cleaning, continuation
// joining, keyword recognition and dispatch to the command handlers.
#include "AlbumReader.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <new>
#include <stdexcept>
#include <string_view>

#include <sys/stat.h>

#include "AlbumData.h"
#include "ContentCommands.h"
#include "Messages.h"
#include "SettingsCommands.h"
#include "Utf8ToWinAnsi.h"

int gLineNumber = 0;

namespace {

constexpr char CTRL_Z = 26;
// Bytes asked of the file at a time.
constexpr size_t READ_BLOCK = 64 * 1024;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// ASCII-only comparison without regard to case, so no locale changes which
// keywords match.
bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t k = 0; k < a.size(); ++k) {
        char ca = (a[k] >= 'a' && a[k] <= 'z') ? static_cast<char>(a[k] - 'a' + 'A') : a[k];
        char cb = (b[k] >= 'a' && b[k] <= 'z') ? static_cast<char>(b[k] - 'a' + 'A') : b[k];
        if (ca != cb)
            return false;
    }
    return true;
}

// The keyword table, in comparison order. Each entry only forwards the
// parameter text, with the second argument the pair's handler needs.
using Handler = int (*)(char *params);

struct Keyword {
    std::string_view name;
    CommandId id;
    Handler handler;
};

const Keyword KEYWORDS[] = {
    {"ALBUM_PAGES_SIZE", COMMAND_ALBUM_PAGES_SIZE, CmdAlbumPagesSize},
    {"ALBUM_PAGES_MARGINS", COMMAND_ALBUM_PAGES_MARGINS,
     [](char *p) { return CmdAlbumPagesMargins(p, true); }},
    {"ALBUM_PAGES_MARGINSE", COMMAND_ALBUM_PAGES_MARGINSE,
     [](char *p) { return CmdAlbumPagesMargins(p, false); }},
    {"ALBUM_PAGES_BORDER", COMMAND_ALBUM_PAGES_BORDER, CmdAlbumPagesBorder},
    {"ALBUM_PAGES_SPACING", COMMAND_ALBUM_PAGES_SPACING, CmdAlbumPagesSpacing},
    {"ALBUM_PAGES_TITLE", COMMAND_ALBUM_PAGES_TITLE, CmdAlbumPagesTitle},
    {"PAGE_START", COMMAND_PAGE_START, CmdPageStart},
    {"PAGE_START_VAR", COMMAND_PAGE_START_VAR, CmdPageStartVar},
    {"PAGE_TEXT", COMMAND_PAGE_TEXT, [](char *p) { return CmdPageText(p, COMMAND_PAGE_TEXT); }},
    {"PAGE_TEXT_CENTRE", COMMAND_PAGE_TEXT_CENTRE,
     [](char *p) { return CmdPageText(p, COMMAND_PAGE_TEXT_CENTRE); }},
    {"ROW_START_ES", COMMAND_ROW_START_ES,
     [](char *p) { return CmdRowStartEsJs(p, COMMAND_ROW_START_ES); }},
    {"ROW_START_JS", COMMAND_ROW_START_JS,
     [](char *p) { return CmdRowStartEsJs(p, COMMAND_ROW_START_JS); }},
    {"ROW_START_FS", COMMAND_ROW_START_FS, CmdRowStartFs},
    {"STAMP_ADD", COMMAND_STAMP_ADD, CmdStampAdd},
    {"STAMP_ADD_TRIANGLE", COMMAND_STAMP_ADD_TRIANGLE, CmdStampAddTriangle},
    {"STAMP_ADDX", COMMAND_STAMP_ADDX, CmdStampAddX},
    {"ALBUM_FONT_WINDOWS", COMMAND_ALBUM_FONT_WINDOWS, CmdAlbumFontWindows},
    {"ROW_ALIGN_TOP", COMMAND_ROW_ALIGN_TOP,
     [](char *p) { return CmdRowAlign(p, COMMAND_ROW_ALIGN_TOP); }},
    {"ROW_ALIGN_BOTTOM", COMMAND_ROW_ALIGN_BOTTOM,
     [](char *p) { return CmdRowAlign(p, COMMAND_ROW_ALIGN_BOTTOM); }},
};

const Keyword *FindKeyword(CommandId id)
{
    for (const Keyword &keyword : KEYWORDS)
        if (keyword.id == id)
            return &keyword;
    return nullptr;
}

// The size of the file behind stream when the system knows it, else 0.
size_t KnownFileSize(FILE *file)
{
    struct stat status;
    const int descriptor = fileno(file);
    if (descriptor < 0 || fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0)
        return 0;
    return static_cast<size_t>(status.st_size);
}

// Reserves room for the whole of a regular file and one block more, so that
// no block read moves the text. A guess only: without it the text grows as
// it is read.
void ReserveForFile(FILE *file, std::string &text)
{
    try {
        text.reserve(KnownFileSize(file) + READ_BLOCK);
    } catch (const std::exception &) {
    }
}

// Appends the bytes of file to text up to its end or its first Ctrl-Z, which
// ends the file: nothing after it is read. False when a read error ended it.
bool ReadBlocks(FILE *file, std::string &text)
{
    ReserveForFile(file, text);
    for (;;) {
        const size_t start = text.size();
        text.resize(start + READ_BLOCK);
        const size_t got = fread(&text[start], 1, READ_BLOCK, file);
        text.resize(start + got);
        const size_t ctrlZ = text.find(CTRL_Z, start);
        if (ctrlZ != std::string::npos) {
            text.resize(ctrlZ);
            return true;
        }
        if (got < READ_BLOCK)
            return !ferror(file);
    }
}

// Drops the part of text after its last line feed: the line a read error
// broke off, which is never taken as a command or a continuation.
void DropBrokenLine(std::string &text)
{
    const size_t lastLineFeed = text.rfind('\n');
    text.resize(lastLineFeed == std::string::npos ? 0 : lastLineFeed + 1);
}

// Drops every carriage return that stands right before a line feed; a lone
// one stays an ordinary character. The stretches between carriage returns
// are moved whole, so this costs little more than a search.
void DropCarriageReturnsBeforeLineFeeds(std::string &text)
{
    char *const data = &text[0];
    const size_t size = text.size();
    size_t to = 0;
    for (size_t from = 0; from < size;) {
        const void *found = memchr(data + from, '\r', size - from);
        const size_t at = found ? static_cast<size_t>(static_cast<const char *>(found) - data) : size;
        const bool beforeLineFeed = at + 1 < size && data[at + 1] == '\n';
        const size_t keep = beforeLineFeed ? at : std::min(at + 1, size);
        if (to != from)
            memmove(data + to, data + from, keep - from);
        to += keep - from;
        from = beforeLineFeed ? at + 1 : keep;
    }
    text.resize(to);
}

int ReportBadContinuation()
{
    ShowMessage("<R>Error in Line %d:<n> Bad line continuation.\n", gLineNumber);
    return 1;
}

}  // namespace

DescriptionText ReadDescription(FILE *file)
{
    DescriptionText description;
    std::string &text = description.text;
    if (!ReadBlocks(file, text))
        DropBrokenLine(text);
    DropCarriageReturnsBeforeLineFeeds(text);
    // Line feeds keep their places, so every line keeps its number.
    ConvertUtf8ToWinAnsi(text);
    return description;
}

bool ReadDescriptionLine(char *buffer, DescriptionText &description)
{
    const std::string &text = description.text;
    const size_t start = description.next;
    if (start >= text.size())
        return false;
    size_t end = std::min(text.size(), start + LINE_LIMIT);
    const void *lineFeed = memchr(text.data() + start, '\n', end - start);
    if (lineFeed)
        end = static_cast<size_t>(static_cast<const char *>(lineFeed) - text.data()) + 1;
    // A NUL is copied like any character; CleanLine ends the text there.
    memcpy(buffer, text.data() + start, end - start);
    buffer[end - start] = '\0';
    description.next = end;
    return true;
}

char *CleanLine(char *text)
{
    // A NUL read from the file ends the text here, as it would for any string.
    size_t length = strlen(text);
    if (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r'))
        text[--length] = '\0';
    char *start = text;
    while (IsBlank(*start))
        ++start;
    char *end = text + length;
    while (end > start && IsBlank(end[-1]))
        --end;
    *end = '\0';
    // A comment starts at any '#', inside quotes too.
    char *comment = strchr(start, '#');
    if (comment)
        *comment = '\0';
    return start;
}

int JoinContinuation(char *line, DescriptionText &description)
{
    char continuation[LINE_BUFFER_SIZE];
    // Kept up to date rather than measured again, so a long chain of
    // continuations stays linear.
    size_t length = strlen(line);
    while (length >= 2 && line[length - 2] == '"' && line[length - 1] == '\\') {
        length -= 2;
        line[length] = '\0';
        if (!ReadDescriptionLine(continuation, description))
            return ReportBadContinuation();
        ++gLineNumber;
        const char *rest = CleanLine(continuation);
        if (*rest != '"')
            return ReportBadContinuation();
        ++rest;
        size_t restLength = strlen(rest);
        if (length + restLength > static_cast<size_t>(LINE_LIMIT))
            return ReportBadContinuation();
        memcpy(line + length, rest, restLength + 1);
        length += restLength;
    }
    return 0;
}

char *IdentifyCommand(CommandId *id, char *line)
{
    char *params = line;
    while (*params && !IsBlank(*params))
        ++params;
    const std::string_view word(line, static_cast<size_t>(params - line));
    if (*params)
        *params++ = '\0';
    for (const Keyword &keyword : KEYWORDS) {
        if (EqualIgnoringCase(word, keyword.name)) {
            *id = keyword.id;
            return CleanLine(params);
        }
    }
    *id = COMMAND_UNRECOGNISED;
    ShowMessage("<R>Error in Line %d: <n>Unrecognised Command.\n", gLineNumber);
    return nullptr;
}

int ProcessCommand(char *line)
{
    CommandId id;
    char *params = IdentifyCommand(&id, line);
    if (!params)
        return 1;
    return FindKeyword(id)->handler(params);
}

namespace {

// Reads the lines of description into theAlbum, each cleaned, joined with
// its continuations and run as a command, up to the first rejected one.
int ParseLines(DescriptionText &description)
{
    char buffer[LINE_BUFFER_SIZE];
    while (ReadDescriptionLine(buffer, description)) {
        ++gLineNumber;
        char *cleaned = CleanLine(buffer);
        // Move the cleaned line to the buffer's start, so joining has room for
        // a whole joined line however many blanks led the first piece.
        char *line = buffer;
        memmove(line, cleaned, strlen(cleaned) + 1);
        if (JoinContinuation(line, description))
            return PARSE_REJECTED;
        if (*line != '\0' && ProcessCommand(line))
            return PARSE_REJECTED;
    }
    return PARSE_ACCEPTED;
}

}  // namespace

int ParseAlbumFile(FILE *file)
{
    gLineNumber = 0;
    theAlbum.Clear();
    // Memory can run out wherever the text is read or the album grows. The
    // album is left whole at every point where that can happen, so emptying
    // it gives all the memory back and the next parse starts afresh.
    try {
        DescriptionText description = ReadDescription(file);
        return ParseLines(description);
    } catch (const std::bad_alloc &) {
    } catch (const std::length_error &) {  // a text longer than any string can be
    }
    theAlbum.Clear();
    return PARSE_OUT_OF_MEMORY;
}
