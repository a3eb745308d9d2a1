// Handlers of the commands whose parameters are numbers or nothing: the
// album-wide settings, the page starts and the flag commands. Each takes the
// cleaned parameter text and returns 0 when it accepted the command, or 1
// after showing its one message.
#pragma once

#include "Command.h"

int CmdAlbumPagesSize(char *params);
// allPages: TRUE for ALBUM_PAGES_MARGINS, FALSE for ALBUM_PAGES_MARGINSE.
int CmdAlbumPagesMargins(char *params, bool allPages);
int CmdAlbumPagesBorder(char *params);
int CmdAlbumPagesSpacing(char *params);
int CmdPageStart(char *params);
int CmdPageStartVar(char *params);
int CmdAlbumFontWindows(char *params);
// id: COMMAND_ROW_ALIGN_TOP or COMMAND_ROW_ALIGN_BOTTOM.
int CmdRowAlign(char *params, CommandId id);
