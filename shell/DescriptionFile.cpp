// Opening the album description without blocking and without reading
// anything but a regular file.
#include "DescriptionFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsRegularFile(int fd)
{
    struct stat status;
    return fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
}

// A regular file never blocks; the stream reads it in the usual mode.
bool ClearNonBlocking(int fd)
{
    int flags = fcntl(fd, F_GETFL);
    return flags != -1 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != -1;
}

}  // namespace

FILE *OpenDescriptionFile(const char *path)
{
    // O_NONBLOCK: opening a FIFO without a writer returns at once. The type
    // is checked on the opened descriptor, so a path swapped after any
    // earlier look cannot slip through.
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd == -1)
        return NULL;
    FILE *file = IsRegularFile(fd) && ClearNonBlocking(fd) ? fdopen(fd, "r") : NULL;
    if (!file)
        close(fd);  // nothing was read: a failed close loses nothing
    return file;
}
