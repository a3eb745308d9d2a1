// Times reading and generating large albums: a 1000-page album, with
// Generate's ratio to its floor (libharu alone), and one 4094-character
// paragraph line in a narrow column. Prints milliseconds, pages per second
// and the peak memory. Not a test: figures for the record.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <sys/resource.h>

#include "AlbumData.h"
#include "AlbumGenerator.h"
#include "AlbumPdf.h"
#include "AlbumReader.h"
#include "Floor.h"
#include "Messages.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int PageCount(const CAlbumData &album)
{
    int count = 0;
    for (const CAlbumPage *page = album.firstPage; page; page = page->GetNext())
        ++count;
    return count;
}

// Times parsing text into theAlbum through a real file.
double TimeParse(const std::string &text, int *result)
{
    FILE *file = tmpfile();
    if (!file) {
        *result = -1;
        return 0;
    }
    fwrite(text.data(), 1, text.size(), file);
    rewind(file);
    const Clock::time_point start = Clock::now();
    *result = ParseAlbumFile(file);
    const double ms = MillisecondsSince(start);
    fclose(file);
    return ms;
}

double TimeGeneration(CAlbumData &album, const char *pdfPath)
{
    const Clock::time_point start = Clock::now();
    CreateAlbumPdf(&album, pdfPath);
    return MillisecondsSince(start);
}

void ReportGeneration(const char *what, CAlbumData &album, const char *pdfPath)
{
    const int pages = PageCount(album);
    const Clock::time_point start = Clock::now();
    const int result = CreateAlbumPdf(&album, pdfPath);
    const double ms = MillisecondsSince(start);
    printf("  %-44s %5d pages  %9.1f ms  %8.0f pages/s  result %d\n", what, pages, ms,
           ms > 0 ? pages * 1000.0 / ms : 0.0, result);
}

// Generate (read + generate) against its floor, best of five paired runs.
void ReportFloorRatio(const std::string &text)
{
    bench::ScratchDir dir;
    const std::string description = dir.File("album.txt");
    FILE *file = dir.Made() ? fopen(description.c_str(), "w") : nullptr;
    const bool written = file && fwrite(text.data(), 1, text.size(), file) == text.size();
    if (!file || fclose(file) != 0 || !written) {
        printf("  (no scratch file for the floor: ratio skipped)\n");
        return;
    }
    const bench::FloorFigures figures = bench::MeasureAgainstFloor(
        description.c_str(), dir.File("generated.pdf").c_str(), dir.File("replayed.pdf").c_str(), 5);
    printf("  %-44s %9.1f ms  floor %7.1f ms  ratio %.3f%s\n", "Generate (read + generate) to its floor",
           figures.generateMs, figures.floorMs, figures.generateMs / figures.floorMs,
           figures.ok ? "" : "  (a run failed)");
}

void ReportParse(const char *what, const std::string &text)
{
    int result = 0;
    const double ms = TimeParse(text, &result);
    printf("  %-44s %5d pages  %9.1f ms  (%zu bytes, result %d)\n", what, PageCount(theAlbum), ms,
           text.size(), result);
}

}  // namespace

int main()
{
    SetMessageSink(nullptr);  // the figures are the output; messages are dropped
    const char *pdfPath = "/tmp/quillory_bench.pdf";

    printf("1000-page album (paragraphs and rows with captions on every page)\n");
    ReportParse("parse", bench::AlbumText(1000));
    if (theAlbum.HasPage())
        ReportGeneration("generate the parsed album", theAlbum, pdfPath);
    else
        printf("  (the reader produced no pages: generation of the parsed album skipped)\n");
    CAlbumData built;
    bench::BuildAlbum(built, 1000);
    ReportGeneration("generate the album built through the model", built, pdfPath);
    ReportFloorRatio(bench::AlbumText(1000));

    // Single lines take about a millisecond: the best of five runs each.
    printf("the longest paragraph line (4094 characters), column about 26 mm wide; best of 5\n");
    for (bool oneWord : {false, true}) {
        const std::string kind = oneWord ? "one unbroken word" : "words";
        const std::string text = bench::LongLineText(4094, oneWord);
        double parseMs = 1e300, parsedMs = 1e300, builtMs = 1e300;
        int parseResult = 0;
        for (int run = 0; run < 5; ++run) {
            parseMs = std::min(parseMs, TimeParse(text, &parseResult));
            if (theAlbum.HasPage())
                parsedMs = std::min(parsedMs, TimeGeneration(theAlbum, pdfPath));
            bench::BuildLongLine(built, 4094, oneWord);
            builtMs = std::min(builtMs, TimeGeneration(built, pdfPath));
        }
        printf("  %-18s parse %7.3f ms (result %d)", kind.c_str(), parseMs, parseResult);
        if (parsedMs < 1e300)
            printf("  generate parsed %7.3f ms", parsedMs);
        printf("  generate built %7.3f ms\n", builtMs);
    }
    printf("peak memory: %ld KB\n", PeakKilobytes());
    theAlbum.Clear();
    remove(pdfPath);
    return 0;
}
