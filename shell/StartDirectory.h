// Where the Open dialog first starts: the directory of the program itself.
#ifndef STARTDIRECTORY_H
#define STARTDIRECTORY_H

#include <fx.h>

// The directory of programPath (the program's path as its command line
// gives it): made absolute against the current directory, and when it is a
// symbolic link, the directory of the file it points to.
FXString StartDirectory(const FXString &programPath);

#endif
