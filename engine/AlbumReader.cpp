// Placeholder until the reader lands: reads nothing.
#include "AlbumReader.h"
#include "AlbumData.h"

int gLineNumber = 0;

int ParseAlbumFile(FILE *)
{
    gLineNumber = 0;
    theAlbum.Clear();
    return 0;
}
