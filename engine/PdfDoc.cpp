// The libharu layer: every libharu call is followed by a check that turns a
// recorded failure into a PdfException at this layer's boundary.
#include "PdfDoc.h"

#include <cmath>
#include <cstring>
#include <initializer_list>

#include "PdfErrorText.h"
#include "ReplacingFile.h"

namespace {

// libharu saves a document in many writes of a few bytes each; they are
// gathered into blocks of this size for the file.
constexpr size_t BLOCK_SIZE = 64 * 1024;

// The output stream of one save: gathers libharu's writes into blocks and
// hands each full block to the file.
class BlockWriter {
public:
    explicit BlockWriter(ReplacingFile &file) : file_(file) { block_.reserve(BLOCK_SIZE); }

    // libharu's write function for a callback stream whose data is a BlockWriter.
    static HPDF_STATUS Write(HPDF_Stream stream, const HPDF_BYTE *data, HPDF_UINT size)
    {
        BlockWriter *writer = static_cast<BlockWriter *>(stream->attr);
        if (writer->Add(data, size))
            return HPDF_OK;
        writer->failed_ = true;
        return HPDF_SetError(stream->error, HPDF_FILE_IO_ERROR, 0);
    }

    // Writes what is gathered. false when the file did not take it.
    bool Flush()
    {
        const bool written = file_.Write(block_.data(), block_.size());
        block_.clear();
        return written;
    }

    bool Failed() const { return failed_; }

private:
    bool Add(const HPDF_BYTE *data, size_t size)
    {
        if (block_.size() + size > BLOCK_SIZE && !Flush())
            return false;
        if (size >= BLOCK_SIZE)
            return file_.Write(data, size);
        block_.insert(block_.end(), data, data + size);
        return true;
    }

    ReplacingFile &file_;
    std::vector<HPDF_BYTE> block_;
    bool failed_ = false;
};

// libharu writes a length or coordinate that is not a number into the page
// content as stray bytes, which breaks the page (huge margins and spacings
// give inf - inf). Such values are refused as out of range; infinite ones
// libharu clamps to its largest real itself.
HPDF_STATUS AllAreNumbers(std::initializer_list<double> values)
{
    for (double value : values)
        if (std::isnan(value))
            return HPDF_REAL_OUT_OF_RANGE;
    return HPDF_OK;
}

}  // namespace

PdfException PdfException::FromLibraryError(unsigned long error)
{
    const bool writeFailure = error == HPDF_FILE_OPEN_ERROR || error == HPDF_FILE_IO_ERROR;
    return PdfException(writeFailure ? PDF_WRITE_FAILURE : -static_cast<int>(error),
                        PdfErrorText(error));
}

// ---------------------------------------------------------------- document

PdfDoc::PdfDoc()
{
    doc_ = HPDF_New(&PdfDoc::RecordError, this);
    if (!doc_)
        throw PdfException::FromLibraryError(error_ != HPDF_OK ? error_ : HPDF_FAILD_TO_ALLOC_MEM);
}

PdfDoc::~PdfDoc()
{
    HPDF_Free(doc_);
}

void PdfDoc::RecordError(HPDF_STATUS error, HPDF_STATUS, void *self)
{
    PdfDoc *doc = static_cast<PdfDoc *>(self);
    // Keep the first failure: later ones are its consequences.
    if (doc->error_ == HPDF_OK)
        doc->error_ = error;
}

void PdfDoc::Check(HPDF_STATUS status)
{
    HPDF_STATUS error = error_ != HPDF_OK ? error_ : status;
    if (error == HPDF_OK)
        return;
    error_ = HPDF_OK;
    HPDF_ResetError(doc_);
    throw PdfException::FromLibraryError(error);
}

void PdfDoc::NewDocument()
{
    pages_.clear();
    fonts_.clear();
    Check(HPDF_NewDoc(doc_));
    // Pages hang in groups under the root instead of all in its one array,
    // whose length libharu limits to HPDF_LIMIT_MAX_ARRAY.
    Check(HPDF_SetPagesConfiguration(doc_, PAGES_PER_BRANCH));
}

void PdfDoc::AddType1Font(const PdfFontDef &fontDef, const PdfWinAnsiEncoding *encoding)
{
    HPDF_Font font = HPDF_GetFont(doc_, fontDef.GetBaseName(), encoding ? encoding->GetName() : nullptr);
    Check(font ? HPDF_OK : HPDF_INVALID_FONT);
    RegisteredFont entry;
    entry.font = font;
    // The table of single-byte widths from the same integer measure as
    // TextWidth, so that running sums over it reproduce TextWidth exactly.
    entry.widths[0] = 0;
    for (int code = 1; code < 256; ++code) {
        const HPDF_BYTE byte = static_cast<HPDF_BYTE>(code);
        entry.widths[code] = static_cast<int>(HPDF_Font_TextWidth(font, &byte, 1).width);
    }
    Check();
    fonts_.push_back(entry);
}

PdfPage *PdfDoc::AddPage()
{
    HPDF_Page page = HPDF_AddPage(doc_);
    Check(page ? HPDF_OK : HPDF_INVALID_PAGE);
    pages_.push_back(std::make_unique<PdfPage>(*this, page));
    return pages_.back().get();
}

void PdfDoc::WriteToFile(const char *path)
{
    ReplacingFile file;
    if (!file.Open(path))
        throw PdfException::FromLibraryError(HPDF_FILE_OPEN_ERROR);
    SaveInto(file);
    if (!file.Commit())
        throw PdfException::FromLibraryError(HPDF_FILE_IO_ERROR);
}

void PdfDoc::SaveInto(ReplacingFile &file)
{
    // libharu's own file output leaves its last flush and close unchecked.
    // Its save to a stream writes to the document's stream, which is ours
    // for this one save: a writer whose every write is checked.
    BlockWriter writer(file);
    HPDF_Stream stream = HPDF_CallbackWriter_New(doc_->mmgr, &BlockWriter::Write, &writer);
    Check(stream ? HPDF_OK : HPDF_FAILD_TO_ALLOC_MEM);
    HPDF_Stream previous = doc_->stream;
    doc_->stream = stream;
    const HPDF_STATUS status = HPDF_SaveToStream(doc_);
    doc_->stream = previous;
    HPDF_Stream_Free(stream);
    Check(status);
    if (writer.Failed() || !writer.Flush())
        throw PdfException::FromLibraryError(HPDF_FILE_IO_ERROR);
}

// ---------------------------------------------------------------- page

void PdfPage::SetMediaBox(int left, int bottom, int right, int top)
{
    // SetWidth and SetHeight write the right and top values and refuse page
    // sizes libharu cannot handle.
    doc_.Check(HPDF_Page_SetBoxValue(page_, "MediaBox", 0, static_cast<HPDF_REAL>(left)));
    doc_.Check(HPDF_Page_SetBoxValue(page_, "MediaBox", 1, static_cast<HPDF_REAL>(bottom)));
    doc_.Check(HPDF_Page_SetWidth(page_, static_cast<HPDF_REAL>(right)));
    doc_.Check(HPDF_Page_SetHeight(page_, static_cast<HPDF_REAL>(top)));
}

// ---------------------------------------------------------------- canvas

void PdfPageContents::SetLineWidth(double width)
{
    doc_.Check(AllAreNumbers({width}));
    doc_.Check(HPDF_Page_SetLineWidth(page_, static_cast<HPDF_REAL>(width)));
}

void PdfPageContents::Rectangle(double x, double y, double width, double height)
{
    doc_.Check(AllAreNumbers({x, y, width, height}));
    doc_.Check(HPDF_Page_Rectangle(page_, static_cast<HPDF_REAL>(x), static_cast<HPDF_REAL>(y),
                                   static_cast<HPDF_REAL>(width), static_cast<HPDF_REAL>(height)));
}

void PdfPageContents::MoveTo(double x, double y)
{
    doc_.Check(AllAreNumbers({x, y}));
    doc_.Check(HPDF_Page_MoveTo(page_, static_cast<HPDF_REAL>(x), static_cast<HPDF_REAL>(y)));
}

void PdfPageContents::LineTo(double x, double y)
{
    doc_.Check(AllAreNumbers({x, y}));
    doc_.Check(HPDF_Page_LineTo(page_, static_cast<HPDF_REAL>(x), static_cast<HPDF_REAL>(y)));
}

void PdfPageContents::Stroke()
{
    doc_.Check(HPDF_Page_Stroke(page_));
}

void PdfPageContents::SetFont(int fontIndex, double size)
{
    doc_.Check(doc_.HasFont(fontIndex) ? HPDF_OK : HPDF_INVALID_FONT_NAME);
    doc_.Check(HPDF_Page_SetFontAndSize(page_, doc_.FontAt(fontIndex), static_cast<HPDF_REAL>(size)));
    fontIndex_ = fontIndex;
    fontSize_ = size;
}

HPDF_Font PdfPageContents::CurrentFont() const
{
    doc_.Check(fontIndex_ >= 0 ? HPDF_OK : HPDF_PAGE_FONT_NOT_FOUND);
    return doc_.FontAt(fontIndex_);
}

double PdfPageContents::TextWidth(const char *text)
{
    HPDF_Font font = CurrentFont();
    const HPDF_TextWidth width =
        HPDF_Font_TextWidth(font, reinterpret_cast<const HPDF_BYTE *>(text), static_cast<HPDF_UINT>(strlen(text)));
    doc_.Check();
    return WidthFromGlyphUnits(width.width, fontSize_);
}

void PdfPageContents::GetGlyphWidths(int widths[256])
{
    CurrentFont();
    memcpy(widths, doc_.GlyphWidthsAt(fontIndex_), 256 * sizeof widths[0]);
}

void PdfPageContents::BeginText()
{
    doc_.Check(HPDF_Page_BeginText(page_));
}

void PdfPageContents::MoveTextPos(double x, double y)
{
    doc_.Check(AllAreNumbers({x, y}));
    doc_.Check(HPDF_Page_MoveTextPos(page_, static_cast<HPDF_REAL>(x), static_cast<HPDF_REAL>(y)));
}

void PdfPageContents::ShowText(const char *text)
{
    doc_.Check(HPDF_Page_ShowText(page_, text));
}

void PdfPageContents::EndText()
{
    doc_.Check(HPDF_Page_EndText(page_));
}
