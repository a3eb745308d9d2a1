// A thin C++ layer over libharu's C API: the document, its pages and their
// canvases, the standard fonts, the WinAnsi encoding and the failure report.
#pragma once

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include <hpdf.h>

#include "PdfContents.h"

// Pages per branch of the page tree: the root then holds one branch per
// 256 pages, so even millions of pages stay within libharu's array limit.
constexpr HPDF_UINT PAGES_PER_BRANCH = 256;

// The code of a failure to open the output file or to write to it.
constexpr int PDF_WRITE_FAILURE = -3;

// A failure of the PDF library: a negative code and a message text.
// PDF_WRITE_FAILURE for the output file; minus libharu's error code otherwise.
class PdfException : public std::exception {
public:
    PdfException(int code, std::string message) : code_(code), message_(std::move(message)) {}
    int GetCode() const { return code_; }
    const char *what() const noexcept override { return message_.c_str(); }

    // The exception for a libharu error code.
    static PdfException FromLibraryError(unsigned long error);

private:
    int code_;
    std::string message_;
};

// One of the standard Type 1 fonts, known by its base font name.
class PdfFontDef {
public:
    const char *GetBaseName() const { return baseName_; }

protected:
    explicit PdfFontDef(const char *baseName) : baseName_(baseName) {}

private:
    const char *baseName_;
};

class PdfTimesRomanFontDef : public PdfFontDef {
public:
    PdfTimesRomanFontDef() : PdfFontDef("Times-Roman") {}
};
class PdfTimesBoldFontDef : public PdfFontDef {
public:
    PdfTimesBoldFontDef() : PdfFontDef("Times-Bold") {}
};
class PdfTimesItalicFontDef : public PdfFontDef {
public:
    PdfTimesItalicFontDef() : PdfFontDef("Times-Italic") {}
};
class PdfTimesBoldItalicFontDef : public PdfFontDef {
public:
    PdfTimesBoldItalicFontDef() : PdfFontDef("Times-BoldItalic") {}
};
class PdfHelveticaFontDef : public PdfFontDef {
public:
    PdfHelveticaFontDef() : PdfFontDef("Helvetica") {}
};
class PdfHelveticaBoldFontDef : public PdfFontDef {
public:
    PdfHelveticaBoldFontDef() : PdfFontDef("Helvetica-Bold") {}
};
class PdfHelveticaObliqueFontDef : public PdfFontDef {
public:
    PdfHelveticaObliqueFontDef() : PdfFontDef("Helvetica-Oblique") {}
};
class PdfHelveticaBoldObliqueFontDef : public PdfFontDef {
public:
    PdfHelveticaBoldObliqueFontDef() : PdfFontDef("Helvetica-BoldOblique") {}
};

// The Windows ANSI (code page 1252) encoding of the codes 32 to 255.
class PdfWinAnsiEncoding {
public:
    const char *GetName() const { return "WinAnsiEncoding"; }
};

class PdfDoc;
class ReplacingFile;

// The canvas of one libharu page. Every call is checked: a failure libharu
// reports is thrown as a PdfException once the libharu call has returned.
class PdfPageContents : public PdfContents {
public:
    PdfPageContents(PdfDoc &doc, HPDF_Page page) : doc_(doc), page_(page) {}

    void SetLineWidth(double width) override;
    void Rectangle(double x, double y, double width, double height) override;
    void MoveTo(double x, double y) override;
    void LineTo(double x, double y) override;
    void Stroke() override;
    void SetFont(int fontIndex, double size) override;
    double TextWidth(const char *text) override;
    void GetGlyphWidths(int widths[256]) override;
    void BeginText() override;
    void MoveTextPos(double x, double y) override;
    void ShowText(const char *text) override;
    void EndText() override;

private:
    HPDF_Font CurrentFont() const;

    PdfDoc &doc_;
    HPDF_Page page_;
    int fontIndex_ = -1;  // in the document's font table; -1 before any font is selected
    double fontSize_ = 0;
};

// One page of the document, made by PdfDoc::AddPage and owned by it.
class PdfPage {
public:
    PdfPage(PdfDoc &doc, HPDF_Page page) : doc_(doc), page_(page), contents_(doc, page) {}
    PdfPage(const PdfPage &) = delete;
    PdfPage &operator=(const PdfPage &) = delete;

    void SetMediaBox(int left, int bottom, int right, int top);
    PdfContents *GetContents() { return &contents_; }

private:
    PdfDoc &doc_;
    HPDF_Page page_;
    PdfPageContents contents_;
};

// A PDF document. It owns libharu's document object, and with it every page,
// canvas and font made in it; the destructor releases them all.
class PdfDoc {
public:
    PdfDoc();
    ~PdfDoc();
    PdfDoc(const PdfDoc &) = delete;
    PdfDoc &operator=(const PdfDoc &) = delete;

    // Starts an empty document with its page tree. Compression stays off.
    void NewDocument();
    // Registers a standard font, with encoding or, when null, its own
    // encoding. Fonts are selected by their index in registration order.
    void AddType1Font(const PdfFontDef &fontDef, const PdfWinAnsiEncoding *encoding);
    // Appends a page after every page added before it.
    PdfPage *AddPage();
    // Writes the document to path; the file there is replaced only once the
    // new one is complete. A failure to open or write it is PDF_WRITE_FAILURE.
    void WriteToFile(const char *path);

    // Throws what libharu reported since the last check (status is the
    // result of the call just made, for a failure reported without the handler).
    void Check(HPDF_STATUS status = HPDF_OK);

    // TRUE when index names a registered font.
    bool HasFont(int index) const { return index >= 0 && index < static_cast<int>(fonts_.size()); }
    HPDF_Font FontAt(int index) const { return fonts_[index].font; }
    const int *GlyphWidthsAt(int index) const { return fonts_[index].widths; }

private:
    struct RegisteredFont {
        HPDF_Font font;
        int widths[256];
    };

    // libharu's error handler: it only records, since nothing may be thrown
    // through libharu's own frames.
    static void RecordError(HPDF_STATUS error, HPDF_STATUS detail, void *self);
    // Saves the document into file, every write checked.
    void SaveInto(ReplacingFile &file);

    HPDF_Doc doc_ = nullptr;
    HPDF_STATUS error_ = HPDF_OK;
    std::vector<RegisteredFont> fonts_;
    std::vector<std::unique_ptr<PdfPage>> pages_;
};
