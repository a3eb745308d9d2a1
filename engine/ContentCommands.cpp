// The title, paragraph, row and stamp commands: the model test first, then
// the parameters, then one call of the album model.
#include "ContentCommands.h"

#include <cstring>

#include "AlbumData.h"
#include "CommandMessages.h"
#include "FontNames.h"
#include "Messages.h"
#include "NumberScan.h"

namespace {

constexpr int MAX_FONT_SIZE = 256;
// A stamp text keeps at most this many characters of its quoted text.
constexpr int STAMP_TEXT_LIMIT = 32;

const char *SkipBlanks(const char *p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

int RejectNoPage(const char *name, const char *what)
{
    ShowMessage("<R>Error in Line %d:<n> %s attempting to add %s before a page has been declared. "
                "Place this command after a PAGE_START command\n",
                gLineNumber, name, what);
    return 1;
}

int RejectNoRow(const char *name)
{
    ShowMessage("<R>Error in Line %d:<n> %s attempting to add a stamp before a row has been declared. "
                "Place this command after a ROW_START command\n",
                gLineNumber, name);
    return 1;
}

// The opening quote of a "(Font Fontsize "text..." parameter text, or null
// when the parenthesis, the font specifier or the quote is missing.
char *FindQuoteAfterFont(char *params, int *font, int *size)
{
    if (params[0] != '(')
        return nullptr;
    const char *p = ParseFontSpecifier(params + 1, font, size);
    if (*font < 0 || *p != '"')
        return nullptr;
    return params + (p - params);
}

// Reads one stamp text from just after its opening quote into text (at most
// STAMP_TEXT_LIMIT characters kept). Returns its closing quote, or null when
// the line ends first.
const char *ReadStampText(const char *p, char *text)
{
    const char *close = strchr(p, '"');
    if (!close)
        return nullptr;
    size_t length = static_cast<size_t>(close - p);
    if (length > STAMP_TEXT_LIMIT)
        length = STAMP_TEXT_LIMIT;
    memcpy(text, p, length);
    text[length] = '\0';
    return close;
}

// Reads width, height and count quoted texts of a stamp command into the
// arguments; texts beyond count are left null. False when any is missing.
bool ReadStampParameters(const char *params, int count, double size[2],
                         char texts[9][STAMP_TEXT_LIMIT + 1], const char *textPointers[9])
{
    if (params[0] != '(' || ScanNumbers(params + 1, size, 2) != 2)
        return false;
    // Whatever stands before a text's opening quote is skipped.
    const char *p = strchr(params + 1, '"');
    for (int k = 0; k < count; ++k) {
        if (!p)
            return false;
        p = ReadStampText(p + 1, texts[k]);
        if (!p)
            return false;
        textPointers[k] = texts[k];
        if (k + 1 < count)
            p = strchr(p + 1, '"');
    }
    return true;
}

enum StampShape { RECTANGLE, TRIANGLE };

int AddStampCommand(char *params, const char *name, int textCount, StampShape shape)
{
    if (!theAlbum.HasRow())
        return RejectNoRow(name);
    double size[2];
    char texts[9][STAMP_TEXT_LIMIT + 1];
    const char *textPointers[9] = {};
    if (!ReadStampParameters(params, textCount, size, texts, textPointers))
        return RejectParameters(name);
    if (shape == TRIANGLE)
        theAlbum.AddTriangleStamp(size[0], size[1], textPointers);
    else
        theAlbum.AddStamp(size[0], size[1], textPointers);
    return 0;
}

// Reads "(Font Fontsize" and count numbers of a row-start command.
bool ReadRowParameters(const char *params, int *font, int *size, double *numbers, int count)
{
    if (params[0] != '(')
        return false;
    const char *p = ParseFontSpecifier(params + 1, font, size);
    return *font >= 0 && ScanNumbers(p, numbers, count) == count;
}

}  // namespace

const char *ParseFontSpecifier(const char *text, int *font, int *size)
{
    *font = -1;
    *size = 0;
    const char *p = SkipBlanks(text);
    int index = FontIndexOfSpecifier(p);
    if (index < 0)
        return p;
    p = SkipBlanks(p + 2);
    // Saturate just above the largest size, so any longer run is refused
    // without the accumulation overflowing.
    int value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > MAX_FONT_SIZE)
            value = MAX_FONT_SIZE + 1;
    }
    if (value == 0 || value > MAX_FONT_SIZE)
        return p;
    *font = index;
    *size = value;
    return SkipBlanks(p);
}

int CmdAlbumPagesTitle(char *params)
{
    int font, size;
    char *open = FindQuoteAfterFont(params, &font, &size);
    // A title takes no escapes: it ends at the next quote whatever precedes it.
    char *close = open ? strchr(open + 1, '"') : nullptr;
    if (!close)
        return RejectParameters("ALBUM_PAGES_TITLE");
    *close = '\0';
    theAlbum.SetTitle(font, size, open + 1);
    return 0;
}

int CmdPageText(char *params, CommandId id)
{
    bool centred = id == COMMAND_PAGE_TEXT_CENTRE;
    const char *name = centred ? "PAGE_TEXT_CENTRE" : "PAGE_TEXT";
    if (!theAlbum.HasPage())
        return RejectNoPage(name, "text");
    int font, size;
    char *open = FindQuoteAfterFont(params, &font, &size);
    if (!open)
        return RejectParameters(name);
    // The text ends at the first quote not right after a backslash; the
    // escapes stay in it for the paragraph to resolve.
    char *close = open + 1;
    while (*close && !(*close == '"' && close[-1] != '\\'))
        ++close;
    if (!*close)
        return RejectParameters(name);
    *close = '\0';
    theAlbum.AddText(font, size, open + 1, centred);
    return 0;
}

int CmdRowStartEsJs(char *params, CommandId id)
{
    bool justified = id == COMMAND_ROW_START_JS;
    const char *name = justified ? "ROW_START_JS" : "ROW_START_ES";
    if (!theAlbum.HasPage())
        return RejectNoPage(name, "a row");
    int font, size;
    double border;
    if (!ReadRowParameters(params, &font, &size, &border, 1))
        return RejectParameters(name);
    theAlbum.AddRow(font, size, border, justified ? ROW_SPACING_JUSTIFIED : ROW_SPACING_EQUAL, 0.0);
    return 0;
}

int CmdRowStartFs(char *params)
{
    if (!theAlbum.HasPage())
        return RejectNoPage("ROW_START_FS", "a row");
    int font, size;
    double numbers[2];
    if (!ReadRowParameters(params, &font, &size, numbers, 2)) {
        // This one message has no blank after "<n>".
        ShowMessage("<R>Error in Line %d:<n>ROW_START_FS parameters incorrect.\n", gLineNumber);
        return 1;
    }
    theAlbum.AddRow(font, size, numbers[0], ROW_SPACING_FIXED, numbers[1]);
    return 0;
}

int CmdStampAdd(char *params)
{
    return AddStampCommand(params, "STAMP_ADD", 6, RECTANGLE);
}

int CmdStampAddX(char *params)
{
    return AddStampCommand(params, "STAMP_ADDX", 9, RECTANGLE);
}

int CmdStampAddTriangle(char *params)
{
    return AddStampCommand(params, "STAMP_ADD_TRIANGLE", 6, TRIANGLE);
}
