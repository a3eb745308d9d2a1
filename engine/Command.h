// What the reader hands a command handler besides its parameter text: the
// command's code and the number of the line it stands on.
#pragma once

// Number of reads made from the description file in the current parse; every
// parse message quotes it.
extern int gLineNumber;

// The code of a recognised command keyword, or COMMAND_UNRECOGNISED.
enum CommandId : int {
    COMMAND_UNRECOGNISED = -1,
    COMMAND_ALBUM_PAGES_SIZE = 0,
    COMMAND_ALBUM_PAGES_MARGINS = 1,
    COMMAND_ALBUM_PAGES_MARGINSE = 2,
    COMMAND_ALBUM_PAGES_BORDER = 3,
    COMMAND_ALBUM_PAGES_SPACING = 4,
    COMMAND_ALBUM_PAGES_TITLE = 5,
    COMMAND_PAGE_START = 6,
    COMMAND_PAGE_START_VAR = 7,
    COMMAND_PAGE_TEXT = 8,
    COMMAND_PAGE_TEXT_CENTRE = 9,
    COMMAND_ROW_START_ES = 10,
    COMMAND_ROW_START_JS = 11,
    COMMAND_ROW_START_FS = 12,
    COMMAND_STAMP_ADD = 13,
    COMMAND_STAMP_ADDX = 14,
    COMMAND_STAMP_ADD_TRIANGLE = 15,
    COMMAND_ALBUM_FONT_WINDOWS = 16,
    COMMAND_ROW_ALIGN_TOP = 17,
    COMMAND_ROW_ALIGN_BOTTOM = 18
};
