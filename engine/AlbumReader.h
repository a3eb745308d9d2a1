// Reading an album description file into theAlbum: lines, comments,
// continuation, keywords and dispatch to the command handlers.
#pragma once

#include <cstdio>

// Number of reads made from the description file in the current parse.
extern int gLineNumber;

// Clears theAlbum and reads the whole description from file (opened for
// reading, positioned at its start). 0 when every line was accepted, 1 after
// the first rejected line, whose message has then been shown.
int ParseAlbumFile(FILE *file);
