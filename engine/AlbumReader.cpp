// The description reader: Windows text-mode line reads, cleaning, continuation
// joining, keyword recognition and dispatch to the command handlers.
#include "AlbumReader.h"

#include <cstring>

#include "AlbumData.h"
#include "ContentCommands.h"
#include "Messages.h"
#include "SettingsCommands.h"

int gLineNumber = 0;

namespace {

constexpr int CTRL_Z = 26;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// ASCII-only comparison without regard to case, so no locale changes which
// keywords match.
bool EqualIgnoringCase(const char *a, const char *b)
{
    for (; *a && *b; ++a, ++b) {
        char ca = (*a >= 'a' && *a <= 'z') ? static_cast<char>(*a - 'a' + 'A') : *a;
        char cb = (*b >= 'a' && *b <= 'z') ? static_cast<char>(*b - 'a' + 'A') : *b;
        if (ca != cb)
            return false;
    }
    return *a == *b;
}

// The keyword table, in comparison order. Each entry only forwards the
// parameter text, with the second argument the pair's handler needs.
using Handler = int (*)(char *params);

struct Keyword {
    const char *name;
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

int ReportBadContinuation()
{
    ShowMessage("<R>Error in Line %d:<n> Bad line continuation.\n", gLineNumber);
    return 1;
}

}  // namespace

bool ReadDescriptionLine(char *buffer, FILE *file)
{
    int length = 0;
    while (length < LINE_LIMIT) {
        int c = getc(file);
        // A read error loses the line it broke off, as the end of the file would.
        if (c == EOF && ferror(file))
            return false;
        if (c == EOF)
            break;
        if (c == CTRL_Z) {
            // Pushed back, so every later read meets it again: the file stays ended.
            ungetc(c, file);
            break;
        }
        if (c == '\r') {
            int next = getc(file);
            if (next == '\n')
                c = '\n';
            else if (next != EOF)
                ungetc(next, file);
        }
        buffer[length++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    buffer[length] = '\0';
    return length > 0;
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

int JoinContinuation(char *line, FILE *file)
{
    char continuation[LINE_BUFFER_SIZE];
    // Kept up to date rather than measured again, so a long chain of
    // continuations stays linear.
    size_t length = strlen(line);
    while (length >= 2 && line[length - 2] == '"' && line[length - 1] == '\\') {
        length -= 2;
        line[length] = '\0';
        if (!ReadDescriptionLine(continuation, file))
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
    if (*params)
        *params++ = '\0';
    for (const Keyword &keyword : KEYWORDS) {
        if (EqualIgnoringCase(line, keyword.name)) {
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

int ParseAlbumFile(FILE *file)
{
    gLineNumber = 0;
    theAlbum.Clear();
    char buffer[LINE_BUFFER_SIZE];
    while (ReadDescriptionLine(buffer, file)) {
        ++gLineNumber;
        char *cleaned = CleanLine(buffer);
        // Move the cleaned line to the buffer's start, so joining has room for
        // a whole joined line however many blanks led the first piece.
        char *line = buffer;
        memmove(line, cleaned, strlen(cleaned) + 1);
        if (JoinContinuation(line, file))
            return 1;
        if (*line != '\0' && ProcessCommand(line))
            return 1;
    }
    return 0;
}
