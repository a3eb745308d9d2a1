// Handlers of the commands with a font specifier or quoted texts: the album
// title, paragraphs, row starts and stamps. Each takes the cleaned parameter
// text and returns 0 when it accepted the command, or 1 after showing its one
// message.
#pragma once

#include "Command.h"

// Reads a font specifier ("HN 10", "TB12") at text. On success *font is 0 to
// 7, *size 1 to 256, and the result is the next character after the blanks
// that follow the size. Otherwise *font is -1 and the result is of no use.
const char *ParseFontSpecifier(const char *text, int *font, int *size);

int CmdAlbumPagesTitle(char *params);
// id: COMMAND_PAGE_TEXT or COMMAND_PAGE_TEXT_CENTRE.
int CmdPageText(char *params, CommandId id);
// id: COMMAND_ROW_START_ES or COMMAND_ROW_START_JS.
int CmdRowStartEsJs(char *params, CommandId id);
int CmdRowStartFs(char *params);
int CmdStampAdd(char *params);
int CmdStampAddX(char *params);
int CmdStampAddTriangle(char *params);
