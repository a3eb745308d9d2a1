// The album model: the settings all pages share, the pages, their elements
// (text paragraphs and rows of stamp frames) and the stamps. Lengths enter in
// millimetres and are stored in PDF points.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class PdfContents;
class CAlbumData;
class CAlbumPage;

// Millimetres to points as the album format defines it (not 72/25.4).
constexpr double MM_TO_POINTS = 2.835;

// A text owned by the record that holds it; null where a text is absent.
using OwnedText = std::unique_ptr<char[]>;

// A heap copy of text, or null when text is null.
OwnedText CopyText(const char *text);

enum RowSpacingMode : int32_t {
    ROW_SPACING_EQUAL = 0,      // ROW_START_ES
    ROW_SPACING_JUSTIFIED = 1,  // ROW_START_JS
    ROW_SPACING_FIXED = 2       // ROW_START_FS
};

// What stands on a page; elements draw themselves during generation.
class CAlbumElement {
public:
    CAlbumElement() = default;
    CAlbumElement(const CAlbumElement &) = delete;
    CAlbumElement &operator=(const CAlbumElement &) = delete;
    virtual ~CAlbumElement() = default;

    // Puts the element on the page's canvas from the cursor *y downwards and
    // lowers *y by the room it took. TRUE asks the generation to stop.
    virtual bool Draw(CAlbumData *album, CAlbumPage *page, PdfContents *contents, double *y,
                      int pageNumber) = 0;

    CAlbumElement *GetNext() const { return next; }

    CAlbumElement *prev = nullptr;
    CAlbumElement *next = nullptr;
};

// A paragraph: PAGE_TEXT (left-aligned, wrapped) or PAGE_TEXT_CENTRE.
class CAlbumElementText : public CAlbumElement {
public:
    // text is what stood between the quotes, escapes still in it.
    CAlbumElementText(int font, int size, const char *text, bool centred);

    bool Draw(CAlbumData *album, CAlbumPage *page, PdfContents *contents, double *y,
              int pageNumber) override;

    int lineCount() const { return static_cast<int>(lines.size()); }

    int32_t font;
    int32_t size;
    bool centred;
    // The lines after escape processing; a paragraph always has at least one.
    // The container grows, so no line-break escape ever loses text.
    std::vector<std::string> lines;
};

// One stamp frame with the texts inside and below it.
class CAlbumStamp {
public:
    // width and height in millimetres; texts in the order txt0, txt1, txt2,
    // txtBL, txtBC, txtBR, txt1BL, txt1BC, txt1BR, each may be null.
    CAlbumStamp(double width, double height, const char *const texts[9], bool triangle);
    CAlbumStamp(const CAlbumStamp &) = delete;
    CAlbumStamp &operator=(const CAlbumStamp &) = delete;

    CAlbumStamp *GetNext() const { return next; }

    CAlbumStamp *prev = nullptr;
    CAlbumStamp *next = nullptr;
    double width;
    double height;
    OwnedText inside[3];   // txt0, txt1, txt2: lines inside the frame
    OwnedText below[3];    // txtBL, txtBC, txtBR: first caption row
    OwnedText below2[3];   // txt1BL, txt1BC, txt1BR: second caption row (STAMP_ADDX)
    bool triangle;
};

// A row of stamp frames.
class CAlbumElementRow : public CAlbumElement {
public:
    // borderWidth and fixedSpace in points.
    CAlbumElementRow(int font, int size, double borderWidth, RowSpacingMode spacingMode,
                     double fixedSpace, bool alignTop);
    ~CAlbumElementRow() override;

    bool Draw(CAlbumData *album, CAlbumPage *page, PdfContents *contents, double *y,
              int pageNumber) override;

    // Draws one frame with its left edge at x and the row's top line at y;
    // returns the height it occupies below y.
    static double DrawStamp(CAlbumStamp *stamp, PdfContents *contents, double x, double y,
                            CAlbumElementRow *row);

    // width and height in millimetres; texts as for CAlbumStamp.
    void AddStamp(double width, double height, const char *const texts[9], bool triangle);

    int32_t font;
    int32_t size;
    double borderWidth;
    RowSpacingMode spacingMode;
    double fixedSpace;
    double maxFrameHeight = 0;
    bool alignTop;
    CAlbumStamp *firstStamp = nullptr;
    CAlbumStamp *lastStamp = nullptr;
};

// One page: its elements in drawing order and its own spacing.
class CAlbumPage {
public:
    CAlbumPage() = default;
    CAlbumPage(const CAlbumPage &) = delete;
    CAlbumPage &operator=(const CAlbumPage &) = delete;
    ~CAlbumPage() { Clear(); }

    void AddElement(CAlbumElement *element);  // takes ownership; null is ignored
    void AddText(int font, int size, const char *text, bool centred);
    // borderWidth and fixedSpace in points.
    CAlbumElementRow *AddRow(int font, int size, double borderWidth, RowSpacingMode mode,
                             double fixedSpace, bool alignTop);
    CAlbumPage *GetNext() const { return next; }
    void Clear();  // deletes every element, first to last

    CAlbumPage *prev = nullptr;
    CAlbumPage *next = nullptr;
    CAlbumElement *firstElement = nullptr;
    CAlbumElement *lastElement = nullptr;
    // Used only when both are greater than 0.
    double hSpacing = -1.0;
    double vSpacing = -1.0;
};

// The album. Lengths passed to its operations are millimetres.
class CAlbumData {
public:
    CAlbumData() = default;
    CAlbumData(const CAlbumData &) = delete;
    CAlbumData &operator=(const CAlbumData &) = delete;
    virtual ~CAlbumData() { Clear(); }

    void SetPageSize(double width, double height);
    void SetMargins(double left, double right, double top, double bottom, bool allPages);
    void SetBorder(double outer, double inner, double gap);
    void SetSpacing(double horizontal, double vertical);
    void SetTitle(int font, int size, const char *text);
    void SetWindowsFonts() { winAnsiFonts = true; }
    void SetRowAlignTop(bool top) { alignTop = top; }
    void AddPage(double horizontal, double vertical);
    void AddText(int font, int size, const char *text, bool centred);
    void AddRow(int font, int size, double borderWidth, RowSpacingMode mode, double fixedSpace);
    void AddStamp(double width, double height, const char *const texts[9]);
    void AddTriangleStamp(double width, double height, const char *const texts[9]);
    bool HasPage() const { return firstPage != nullptr; }
    bool HasRow() const { return currentRow != nullptr; }
    // Empties the album and restores top alignment, so that a description
    // read again gives the same rows; spacing, page size, margins, contents
    // and winAnsiFonts keep their values.
    void Clear();

    double hSpacing = 0;
    double vSpacing = 0;
    double borderOuter = 0;
    double borderInner = 0;
    double borderGap = 0;
    double pageWidth = 0;
    double pageHeight = 0;
    bool marginsSet = false;
    double oddLeft = 0, oddRight = 0, oddTop = 0, oddBottom = 0;
    double evenLeft = 0, evenRight = 0, evenTop = 0, evenBottom = 0;
    CAlbumPage *currentPage = nullptr;
    CAlbumPage *firstPage = nullptr;
    CAlbumPage *lastPage = nullptr;
    CAlbumElementRow *currentRow = nullptr;
    bool sizeSet = false;
    bool borderSet = false;
    bool spacingSet = false;
    OwnedText titleText;
    int32_t titleFont = -1;
    int32_t titleSize = 0;
    PdfContents *contents = nullptr;  // canvas of the page being generated
    bool winAnsiFonts = true;
    bool alignTop = true;
};

// The one album of the program.
extern CAlbumData theAlbum;
