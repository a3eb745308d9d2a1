// Reading an album description file into theAlbum: lines, comments,
// continuation, keywords and dispatch to the command handlers.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "Command.h"

// ParseAlbumFile's results.
constexpr int PARSE_ACCEPTED = 0;
// The first rejected line's message has been shown.
constexpr int PARSE_REJECTED = 1;
// Memory ran out while the description was read or the album built. Nothing
// has been shown, and theAlbum has been emptied to give the memory back.
constexpr int PARSE_OUT_OF_MEMORY = 2;

// Clears theAlbum and reads the whole description from file (opened for
// reading, positioned at its start) into it.
int ParseAlbumFile(FILE *file);

// A read takes at most this many characters; a longer physical line arrives
// in pieces. A joined line holds at most this many characters too.
constexpr int LINE_LIMIT = 4094;
// Bytes a line buffer needs: LINE_LIMIT characters and the terminator, plus one.
constexpr int LINE_BUFFER_SIZE = 4096;

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
// continuation. Throws std::bad_alloc when the text outgrows memory.
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
