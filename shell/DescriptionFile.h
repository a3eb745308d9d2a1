// Opening the album description for reading: a regular file only, and
// never a wait on a pipe or a device.
#ifndef DESCRIPTIONFILE_H
#define DESCRIPTIONFILE_H

#include <cstdio>

// The description at path (links followed) opened for reading, or null when
// it cannot be opened or is not a regular file (a directory, a FIFO, a
// device, a socket). Returns at once whatever the path names.
FILE *OpenDescriptionFile(const char *path);

#endif
