// Feeds arbitrary bytes to the reader as a description file and, when the
// parse succeeds, generates the PDF into a temporary file.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "AlbumData.h"
#include "AlbumPdf.h"
#include "AlbumReader.h"

namespace {

// One scratch PDF per fuzzing process, in $TMPDIR (the fuzz script gives it
// a directory of its own and empties it afterwards) or else /tmp.
const std::string &PdfPath()
{
    static const std::string path = [] {
        const char *dir = getenv("TMPDIR");
        return std::string(dir && *dir ? dir : "/tmp") + "/quillory-fuzz-" +
               std::to_string(getpid()) + ".pdf";
    }();
    return path;
}

FILE *OpenInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return fopen("/dev/null", "r");
    return fmemopen(const_cast<uint8_t *>(data), size, "r");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FILE *file = OpenInput(data, size);
    if (!file)
        return 0;
    int result = ParseAlbumFile(file);
    fclose(file);
    if (result == 0)
        CreateAlbumPdf(&theAlbum, PdfPath().c_str());
    return 0;
}
