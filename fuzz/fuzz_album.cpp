// Feeds arbitrary bytes to the reader as a description file and, when the
// parse succeeds, generates the PDF into a temporary file. A generation that
// reports success must have written a PDF that libqpdf reads without damage.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <unistd.h>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

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

// Takes every object of a content stream; the parser itself reports damage.
class ContentWalk : public QPDFObjectHandle::ParserCallbacks {
public:
    void handleObject(QPDFObjectHandle) override {}
    void handleEOF() override {}
};

// Opens the file with libqpdf, walks every page and parses its content.
// Anything libqpdf had to repair or could not read counts as damage.
bool PdfIsSound(const char *path)
{
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processFile(path);
        ContentWalk walk;
        for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(pdf).getAllPages())
            page.parseContents(&walk);
        return !pdf.anyWarnings();
    } catch (const std::exception &error) {
        fprintf(stderr, "libqpdf: %s\n", error.what());
        return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FILE *file = OpenInput(data, size);
    if (!file)
        return 0;
    int result = ParseAlbumFile(file);
    fclose(file);
    if (result == 0 && CreateAlbumPdf(&theAlbum, PdfPath().c_str()) == 0 &&
        !PdfIsSound(PdfPath().c_str())) {
        fprintf(stderr, "Generation reported success but wrote a damaged PDF\n");
        abort();
    }
    return 0;
}
