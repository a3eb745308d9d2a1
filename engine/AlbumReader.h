// Reading an album description file into theAlbum: lines, comments,
// continuation, keywords and dispatch to the command handlers.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// Number of reads made from the description file in the current parse.
extern int gLineNumber;

// Clears theAlbum and reads the whole description from file (opened for
// reading, positioned at its start). 0 when every line was accepted, 1 after
// the first rejected line, whose message has then been shown.
int ParseAlbumFile(FILE *file);

// A read takes at most this many characters; a longer physical line arrives
// in pieces. A joined line holds at most this many characters too.
constexpr int LINE_LIMIT = 4094;
// Bytes a line buffer needs: LINE_LIMIT characters and the terminator, plus one.
constexpr int LINE_BUFFER_SIZE = 4096;

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

// The whole description as a Windows text-mode read gives it: a carriage
// return right before a line feed dropped, nothing from a Ctrl-Z on, and
// UTF-8 converted to code page 1252. It is read whole because its encoding
// can only be judged on all of it. next is where the next line read starts.
struct DescriptionText {
    std::string text;
    size_t next = 0;
};

// Reads file (opened for reading, at its start) in blocks to where it ends
// for the reader: its end, its first Ctrl-Z, or a read error. A read error
// also loses the line it broke off, which is never taken as a command or a
// continuation.
DescriptionText ReadDescription(FILE *file);

// Reads the next line of the description into buffer (LINE_BUFFER_SIZE
// bytes): the characters up to and including the next line feed, at most
// LINE_LIMIT of them. False at the end of the description.
bool ReadDescriptionLine(char *buffer, DescriptionText &description);

// Cleans a line in place: drops one trailing line feed or carriage return,
// leading and trailing blanks (space, tab), and everything from the first
// '#'. Returns the first kept character, inside text.
char *CleanLine(char *text);

// Joins the continuation lines of a cleaned line that ends with a double quote
// and a backslash. line must have room for LINE_LIMIT characters and the
// terminator. 0 when the line does not continue or was joined, 1 after
// reporting a bad continuation.
int JoinContinuation(char *line, DescriptionText &description);

// Splits the keyword off a cleaned line in place and sets *id. Returns the
// cleaned parameter text, or null after reporting an unrecognised keyword.
char *IdentifyCommand(CommandId *id, char *line);

// Runs the command on a cleaned, joined, non-empty line: the handler's
// result, or 1 for an unrecognised keyword.
int ProcessCommand(char *line);
