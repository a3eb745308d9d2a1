// The settings, page and flag commands: parameter checks, then one call of
// the album model.
#include "SettingsCommands.h"

#include "AlbumData.h"
#include "CommandMessages.h"
#include "Messages.h"
#include "NumberScan.h"

namespace {

// True when params is "(" followed by count numbers, which land in values.
// What follows the last number, the closing parenthesis included, is not looked at.
bool ReadParenthesisedNumbers(const char *params, double *values, int count)
{
    return params[0] == '(' && ScanNumbers(params + 1, values, count) == count;
}

int RejectAnyParameters(const char *name)
{
    ShowMessage("<R>Error in Line %d:<n> %s should not have any parameters.\n", gLineNumber, name);
    return 1;
}

}  // namespace

int CmdAlbumPagesSize(char *params)
{
    double v[2];
    if (!ReadParenthesisedNumbers(params, v, 2))
        return RejectParameters("ALBUM_PAGES_SIZE");
    theAlbum.SetPageSize(v[0], v[1]);
    return 0;
}

int CmdAlbumPagesMargins(char *params, bool allPages)
{
    double v[4];
    // Both forms report under the name of the all-pages command.
    if (!ReadParenthesisedNumbers(params, v, 4))
        return RejectParameters("ALBUM_PAGES_MARGINS");
    theAlbum.SetMargins(v[0], v[1], v[2], v[3], allPages);
    return 0;
}

int CmdAlbumPagesBorder(char *params)
{
    double v[3];
    if (!ReadParenthesisedNumbers(params, v, 3))
        return RejectParameters("ALBUM_PAGES_BORDER");
    theAlbum.SetBorder(v[0], v[1], v[2]);
    return 0;
}

int CmdAlbumPagesSpacing(char *params)
{
    double v[2];
    if (!ReadParenthesisedNumbers(params, v, 2))
        return RejectParameters("ALBUM_PAGES_SPACING");
    theAlbum.SetSpacing(v[0], v[1]);
    return 0;
}

int CmdPageStart(char *params)
{
    if (params[0] != '\0')
        return RejectAnyParameters("PAGE_START");
    // -1 never overrides the album's spacing.
    theAlbum.AddPage(-1, -1);
    return 0;
}

int CmdPageStartVar(char *params)
{
    double v[2];
    if (!ReadParenthesisedNumbers(params, v, 2))
        return RejectParameters("PAGE_START_VAR");
    theAlbum.AddPage(v[0], v[1]);
    return 0;
}

int CmdAlbumFontWindows(char *params)
{
    if (params[0] != '\0')
        return RejectAnyParameters("ALBUM_FONT_WINDOWS");
    theAlbum.SetWindowsFonts();
    return 0;
}

int CmdRowAlign(char *params, CommandId id)
{
    bool top = id == COMMAND_ROW_ALIGN_TOP;
    if (params[0] != '\0')
        return RejectAnyParameters(top ? "ROW_ALIGN_TOP" : "ROW_ALIGN_BOTTOM");
    theAlbum.SetRowAlignTop(top);
    return 0;
}
