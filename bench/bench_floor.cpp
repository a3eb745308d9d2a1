// The floor program: the benchmark album's drawing operations emitted by
// libharu alone at fixed positions, set against Generate (reading the
// description and generating its PDF). Prints the best of several paired
// runs of each, their ratio, and whether the two PDF files are byte for byte
// the same, as they must be.
//   bench_floor [PAGES [RUNS]]     (1000 pages and 7 runs by default)
// Exit status 1 when generation fails or the two files differ.
// For instruction counts, run it under callgrind and read the inclusive
// costs of bench::TimeGenerate and bench::TimeFloor
// (callgrind_annotate --inclusive=yes).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "AlbumGenerator.h"
#include "Floor.h"
#include "Messages.h"

namespace {

std::string ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool WriteFile(const std::string &path, const std::string &text)
{
    FILE *file = fopen(path.c_str(), "w");
    const bool written = file && fwrite(text.data(), 1, text.size(), file) == text.size();
    return (file && fclose(file) == 0) && written;
}

}  // namespace

int main(int argc, char **argv)
{
    const int pages = argc > 1 ? std::max(1, atoi(argv[1])) : 1000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 7;
    SetMessageSink(nullptr);  // the figures are the output; messages are dropped

    bench::ScratchDir dir;
    const std::string description = dir.File("album.txt"), generatedPdf = dir.File("generated.pdf"),
                      floorPdf = dir.File("replayed.pdf");
    if (!dir.Made() || !WriteFile(description, bench::AlbumText(pages))) {
        perror("scratch description");
        return 1;
    }
    const bench::FloorFigures figures =
        bench::MeasureAgainstFloor(description.c_str(), generatedPdf.c_str(), floorPdf.c_str(), runs);
    const bool same = figures.ok && ReadFile(generatedPdf) == ReadFile(floorPdf);
    printf("%d-page album, %zu drawing operations, best of %d paired runs\n", pages, figures.operations, runs);
    printf("  Generate (read + generate) %9.1f ms\n", figures.generateMs);
    printf("  floor (libharu alone)      %9.1f ms  (its file flushed to disk too)\n", figures.floorMs);
    printf("  ratio                      %9.3f\n", figures.generateMs / figures.floorMs);
    printf("  the two PDF files are %s\n", same ? "byte for byte the same" : "DIFFERENT");
    return same ? 0 : 1;
}
