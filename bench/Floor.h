// The floor of generation: an album's drawing operations recorded once on
// the test canvas, then emitted by libharu alone at fixed positions (no
// reading, no layout, no checks per call) and the file flushed to disk, as
// Generate must flush its own, and Generate timed as the window runs it, for
// setting the two side by side.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>
#include <fcntl.h>
#include <unistd.h>

#include <hpdf.h>

#include "AlbumData.h"
#include "AlbumPdf.h"
#include "AlbumReader.h"
#include "FontNames.h"
#include "RecordingContents.h"

namespace bench {

using FloorClock = std::chrono::steady_clock;

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
inline void AppendPage(OpLog &log, const CAlbumData &album, const std::vector<DrawCall> &calls)
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
inline OpLog RecordAlbum(CAlbumData &album)
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

inline void NoteError(HPDF_STATUS, HPDF_STATUS, void *failed)
{
    *static_cast<bool *>(failed) = true;
}

inline HPDF_REAL R(double value)
{
    return static_cast<HPDF_REAL>(value);
}

inline void ReplayOp(HPDF_Page page, const HPDF_Font *fonts, const OpLog &log, const Op &op)
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

// Flushes the written file to disk. TRUE when it was.
inline bool FlushToDisk(const char *path)
{
    const int fd = open(path, O_WRONLY | O_CLOEXEC);
    const bool flushed = fd >= 0 && fsync(fd) == 0;
    return (fd < 0 || close(fd) == 0) && flushed;
}

// The floor: the recorded operations straight into libharu, then the file,
// flushed to disk. TRUE when libharu reported no failure.
inline bool ReplayIntoLibrary(const OpLog &log, const char *pdfPath)
{
    bool failed = false;
    HPDF_Doc doc = HPDF_New(&NoteError, &failed);
    if (!doc)
        return false;
    HPDF_NewDoc(doc);
    HPDF_SetPagesConfiguration(doc, PAGES_PER_BRANCH);
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
    return !failed && FlushToDisk(pdfPath);
}

inline double MillisecondsSince(FloorClock::time_point start)
{
    return std::chrono::duration<double, std::milli>(FloorClock::now() - start).count();
}

// Generate as the window runs it: open the description, read it, close it,
// generate the PDF. *ok: the file was written.
__attribute__((noinline)) inline double TimeGenerate(const char *descriptionPath, const char *pdfPath, bool *ok)
{
    const FloorClock::time_point start = FloorClock::now();
    FILE *file = fopen(descriptionPath, "r");
    *ok = file && ParseAlbumFile(file) == 0;
    if (file)
        fclose(file);
    *ok = *ok && CreateAlbumPdf(&theAlbum, pdfPath) == 0;
    return MillisecondsSince(start);
}

__attribute__((noinline)) inline double TimeFloor(const OpLog &log, const char *pdfPath, bool *ok)
{
    const FloorClock::time_point start = FloorClock::now();
    *ok = ReplayIntoLibrary(log, pdfPath);
    return MillisecondsSince(start);
}

// A scratch directory for a description and the two PDF files, removed
// with what it holds.
class ScratchDir {
public:
    ScratchDir()
    {
        char pattern[] = "/tmp/quillory_floor_XXXXXX";
        if (mkdtemp(pattern))
            path_ = pattern;
    }
    ~ScratchDir()
    {
        for (const char *name : {"album.txt", "generated.pdf", "replayed.pdf"})
            remove(File(name).c_str());
        if (!path_.empty())
            rmdir(path_.c_str());
    }
    ScratchDir(const ScratchDir &) = delete;
    ScratchDir &operator=(const ScratchDir &) = delete;

    bool Made() const { return !path_.empty(); }
    std::string File(const char *name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

struct FloorFigures {
    double generateMs = 1e300;  // best of the runs
    double floorMs = 1e300;
    size_t operations = 0;
    bool ok = false;            // every run wrote its file
};

// Generate on the description file, and the floor of the album it describes,
// each the best of runs paired runs. Leaves the last generated PDF in
// generatedPdf and the floor's in floorPdf.
inline FloorFigures MeasureAgainstFloor(const char *description, const char *generatedPdf,
                                        const char *floorPdf, int runs)
{
    FloorFigures figures;
    TimeGenerate(description, generatedPdf, &figures.ok);  // leaves the parsed album in theAlbum
    if (!figures.ok)
        return figures;
    const OpLog log = RecordAlbum(theAlbum);
    figures.operations = log.ops.size();
    bool floorOk = true;
    for (int run = 0; run < runs && figures.ok && floorOk; ++run) {
        figures.generateMs = std::min(figures.generateMs, TimeGenerate(description, generatedPdf, &figures.ok));
        figures.floorMs = std::min(figures.floorMs, TimeFloor(log, floorPdf, &floorOk));
    }
    figures.ok = figures.ok && floorOk;
    theAlbum.Clear();
    return figures;
}

}  // namespace bench
