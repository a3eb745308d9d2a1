// The floor of generation: the benchmark album's drawing operations emitted
// by libharu alone at fixed positions (no reading, no layout, no checks per
// call), set against Generate (reading the description and generating its
// PDF). Prints the best of several paired runs of each and their ratio, and
// whether the two PDF files are byte for byte the same, as they must be.
//   bench_floor [PAGES [RUNS]]     (1000 pages and 7 runs by default)
// Exit status 1 when generation fails or the two files differ.
// For instruction counts, run it under callgrind and read the inclusive
// costs of TimeGenerate and TimeFloor (callgrind_annotate --inclusive=yes).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include <unistd.h>

#include <hpdf.h>

#include "AlbumData.h"
#include "AlbumGenerator.h"
#include "AlbumPdf.h"
#include "AlbumReader.h"
#include "FontNames.h"
#include "Messages.h"
#include "RecordingContents.h"

namespace {

using Clock = std::chrono::steady_clock;

// One drawing operation, as compact as the replay wants it.
enum class OpKind { PAGE, LINE_WIDTH, RECTANGLE, MOVE_TO, LINE_TO, STROKE, FONT, BEGIN_TEXT, TEXT_POS, SHOW_TEXT,
                    END_TEXT };

struct Op {
    OpKind kind;
    int font;       // FONT: the font index
    size_t text;    // SHOW_TEXT: offset of the zero-terminated text in the text pool
    double a[4];    // the numbers of the operation; PAGE: width and height in whole points
};

struct OpLog {
    std::vector<Op> ops;
    std::string texts;
};

// The recorded canvas calls of one page appended to log; measuring calls
// (TextWidth, GetGlyphWidths) are the layout's own and are left out.
void AppendPage(OpLog &log, const CAlbumData &album, const std::vector<DrawCall> &calls)
{
    // The benchmark album's page size is well inside int: plain truncation.
    log.ops.push_back({OpKind::PAGE, 0, 0, {double(int(album.pageWidth)), double(int(album.pageHeight))}});
    static const std::pair<const char *, OpKind> KINDS[] = {
        {"SetLineWidth", OpKind::LINE_WIDTH}, {"Rectangle", OpKind::RECTANGLE}, {"MoveTo", OpKind::MOVE_TO},
        {"LineTo", OpKind::LINE_TO},          {"Stroke", OpKind::STROKE},       {"SetFont", OpKind::FONT},
        {"BeginText", OpKind::BEGIN_TEXT},    {"MoveTextPos", OpKind::TEXT_POS}, {"ShowText", OpKind::SHOW_TEXT},
        {"EndText", OpKind::END_TEXT}};
    for (const DrawCall &call : calls) {
        const auto kind = std::find_if(std::begin(KINDS), std::end(KINDS),
                                       [&](const auto &k) { return call.op == k.first; });
        if (kind == std::end(KINDS))
            continue;
        Op op{kind->second, 0, 0, {0, 0, 0, 0}};
        std::copy(call.args.begin(), call.args.begin() + std::min<size_t>(call.args.size(), 4), op.a);
        if (op.kind == OpKind::FONT)
            op.font = static_cast<int>(call.args[1]);
        if (op.kind == OpKind::SHOW_TEXT) {
            op.text = log.texts.size();
            log.texts.append(call.text).push_back('\0');
        }
        log.ops.push_back(op);
    }
}

// Lays the album out once on a recording canvas, page by page as generation does.
OpLog RecordAlbum(CAlbumData &album)
{
    OpLog log;
    RecordingContents canvas;
    album.contents = &canvas;
    int pageNumber = 0;
    for (CAlbumPage *page = album.firstPage; page; page = page->GetNext()) {
        canvas.calls.clear();
        double y = 0;
        DrawPageHeader(&album, page, &y, ++pageNumber);
        for (CAlbumElement *element = page->firstElement; element; element = element->GetNext())
            if (y > 0)
                element->Draw(&album, page, &canvas, &y, pageNumber);
        AppendPage(log, album, canvas.calls);
    }
    album.contents = nullptr;
    return log;
}

void NoteError(HPDF_STATUS, HPDF_STATUS, void *failed)
{
    *static_cast<bool *>(failed) = true;
}

HPDF_REAL R(double value)
{
    return static_cast<HPDF_REAL>(value);
}

void ReplayOp(HPDF_Page page, const HPDF_Font *fonts, const OpLog &log, const Op &op)
{
    switch (op.kind) {
    case OpKind::LINE_WIDTH: HPDF_Page_SetLineWidth(page, R(op.a[0])); break;
    case OpKind::RECTANGLE: HPDF_Page_Rectangle(page, R(op.a[0]), R(op.a[1]), R(op.a[2]), R(op.a[3])); break;
    case OpKind::MOVE_TO: HPDF_Page_MoveTo(page, R(op.a[0]), R(op.a[1])); break;
    case OpKind::LINE_TO: HPDF_Page_LineTo(page, R(op.a[0]), R(op.a[1])); break;
    case OpKind::STROKE: HPDF_Page_Stroke(page); break;
    case OpKind::FONT: HPDF_Page_SetFontAndSize(page, fonts[op.font], R(op.a[0])); break;
    case OpKind::BEGIN_TEXT: HPDF_Page_BeginText(page); break;
    case OpKind::TEXT_POS: HPDF_Page_MoveTextPos(page, R(op.a[0]), R(op.a[1])); break;
    case OpKind::SHOW_TEXT: HPDF_Page_ShowText(page, log.texts.c_str() + op.text); break;
    case OpKind::END_TEXT: HPDF_Page_EndText(page); break;
    case OpKind::PAGE: break;
    }
}

// The floor: the recorded operations straight into libharu, then the file.
// TRUE when libharu reported no failure.
bool ReplayIntoLibrary(const OpLog &log, const char *pdfPath)
{
    bool failed = false;
    HPDF_Doc doc = HPDF_New(&NoteError, &failed);
    if (!doc)
        return false;
    HPDF_NewDoc(doc);
    HPDF_Font fonts[FONT_COUNT];
    for (int k = 0; k < FONT_COUNT; ++k)
        fonts[k] = HPDF_GetFont(doc, FONT_NAMES[k], "WinAnsiEncoding");
    HPDF_Page page = nullptr;
    for (const Op &op : log.ops) {
        if (op.kind != OpKind::PAGE) {
            ReplayOp(page, fonts, log, op);
            continue;
        }
        page = HPDF_AddPage(doc);
        HPDF_Page_SetBoxValue(page, "MediaBox", 0, 0);
        HPDF_Page_SetBoxValue(page, "MediaBox", 1, 0);
        HPDF_Page_SetWidth(page, R(op.a[0]));
        HPDF_Page_SetHeight(page, R(op.a[1]));
    }
    HPDF_SaveToFile(doc, pdfPath);
    HPDF_Free(doc);
    return !failed;
}

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Generate as the window runs it: open the description, read it, close it,
// generate the PDF. *ok: the file was written.
__attribute__((noinline)) double TimeGenerate(const char *descriptionPath, const char *pdfPath, bool *ok)
{
    const Clock::time_point start = Clock::now();
    FILE *file = fopen(descriptionPath, "r");
    *ok = file && ParseAlbumFile(file) == 0;
    if (file)
        fclose(file);
    *ok = *ok && CreateAlbumPdf(&theAlbum, pdfPath) == 0;
    return MillisecondsSince(start);
}

__attribute__((noinline)) double TimeFloor(const OpLog &log, const char *pdfPath, bool *ok)
{
    const Clock::time_point start = Clock::now();
    *ok = ReplayIntoLibrary(log, pdfPath);
    return MillisecondsSince(start);
}

std::string ReadFile(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool WriteFile(const char *path, const std::string &text)
{
    FILE *file = fopen(path, "w");
    const bool written = file && fwrite(text.data(), 1, text.size(), file) == text.size();
    return (file && fclose(file) == 0) && written;
}

}  // namespace

int main(int argc, char **argv)
{
    const int pages = argc > 1 ? std::max(1, atoi(argv[1])) : 1000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 7;
    char scratch[] = "/tmp/quillory_floor_XXXXXX";
    if (!mkdtemp(scratch)) {
        perror("mkdtemp");
        return 1;
    }
    const std::string dir = scratch;
    const std::string descriptionFile = dir + "/album.txt", generatedFile = dir + "/generated.pdf",
                      floorFile = dir + "/replayed.pdf";
    const char *description = descriptionFile.c_str();
    const char *generatedPdf = generatedFile.c_str();
    const char *floorPdf = floorFile.c_str();
    SetMessageSink(nullptr);  // the figures are the output; messages are dropped

    if (!WriteFile(description, bench::AlbumText(pages))) {
        perror(description);
        rmdir(scratch);
        return 1;
    }
    bool ok = false;
    TimeGenerate(description, generatedPdf, &ok);  // also leaves the parsed album in theAlbum
    const OpLog log = RecordAlbum(theAlbum);

    double generateMs = 1e300, floorMs = 1e300;
    bool floorOk = true;
    for (int run = 0; run < runs && ok && floorOk; ++run) {
        generateMs = std::min(generateMs, TimeGenerate(description, generatedPdf, &ok));
        floorMs = std::min(floorMs, TimeFloor(log, floorPdf, &floorOk));
    }
    const bool same = ok && floorOk && ReadFile(generatedPdf) == ReadFile(floorPdf);
    printf("%d-page album, %zu drawing operations, best of %d paired runs\n", pages, log.ops.size(), runs);
    printf("  Generate (read + generate) %9.1f ms\n", generateMs);
    printf("  floor (libharu alone)      %9.1f ms\n", floorMs);
    printf("  ratio                      %9.3f\n", generateMs / floorMs);
    printf("  the two PDF files are %s\n", same ? "byte for byte the same" : "DIFFERENT");
    theAlbum.Clear();
    remove(description);
    remove(generatedPdf);
    remove(floorPdf);
    rmdir(scratch);
    return same ? 0 : 1;
}
