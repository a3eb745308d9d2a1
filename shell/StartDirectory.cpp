// The Open dialog's first directory, from the program's own path.
#include "StartDirectory.h"

FXString StartDirectory(const FXString &programPath)
{
    FXString path = FXPath::isAbsolute(programPath) ? programPath : FXPath::absolute(programPath);
    if (FXStat::isLink(path)) {
        // A relative target names a file relative to the link's directory,
        // not to the current one.
        FXString target = FXFile::symlink(path);
        path = FXPath::isAbsolute(target) ? target
                                          : FXPath::absolute(FXPath::directory(path), target);
    }
    return FXPath::directory(path);
}
