// The album model's operations: setting values, appending pages, elements
// and stamps, splitting paragraphs into lines, and emptying the album.
#include "AlbumData.h"

#include <cstring>

CAlbumData theAlbum;

OwnedText CopyText(const char *text)
{
    if (!text)
        return nullptr;
    size_t length = strlen(text);
    OwnedText copy(new char[length + 1]);
    memcpy(copy.get(), text, length + 1);
    return copy;
}

namespace {

// Appends record to the list (head, tail) through its prev and next links.
template <typename T>
void AppendToList(T *&head, T *&tail, T *record)
{
    record->next = nullptr;
    if (!head || !tail) {
        record->prev = nullptr;
        head = tail = record;
        return;
    }
    tail->next = record;
    record->prev = tail;
    tail = record;
}

}  // namespace

// ---------------------------------------------------------------- paragraphs

CAlbumElementText::CAlbumElementText(int font, int size, const char *text, bool centred)
    : font(font), size(size), centred(centred)
{
    std::string current;
    for (const char *p = text ? text : ""; *p; ++p) {
        if (*p == '\\' && p[1] != '\0') {
            ++p;
            if (*p == 'n') {
                lines.push_back(std::move(current));
                current.clear();
            } else {
                current += *p;
            }
        } else {
            current += *p;
        }
    }
    lines.push_back(std::move(current));
}

// ---------------------------------------------------------------- stamps

CAlbumStamp::CAlbumStamp(double width, double height, const char *const texts[9], bool triangle)
    : width(width * MM_TO_POINTS), height(height * MM_TO_POINTS), triangle(triangle)
{
    for (int k = 0; k < 3; ++k) {
        inside[k] = CopyText(texts[k]);
        below[k] = CopyText(texts[3 + k]);
        below2[k] = CopyText(texts[6 + k]);
    }
}

// ---------------------------------------------------------------- rows

CAlbumElementRow::CAlbumElementRow(int font, int size, double borderWidth,
                                   RowSpacingMode spacingMode, double fixedSpace, bool alignTop)
    : font(font), size(size), borderWidth(borderWidth), spacingMode(spacingMode),
      fixedSpace(fixedSpace), alignTop(alignTop)
{
}

CAlbumElementRow::~CAlbumElementRow()
{
    CAlbumStamp *stamp = firstStamp;
    while (stamp) {
        CAlbumStamp *next = stamp->next;
        delete stamp;
        stamp = next;
    }
    firstStamp = lastStamp = nullptr;
}

void CAlbumElementRow::AddStamp(double width, double height, const char *const texts[9],
                                bool triangle)
{
    CAlbumStamp *stamp = new CAlbumStamp(width, height, texts, triangle);
    if (stamp->height > maxFrameHeight)
        maxFrameHeight = stamp->height;
    AppendToList(firstStamp, lastStamp, stamp);
}

// ---------------------------------------------------------------- pages

void CAlbumPage::AddElement(CAlbumElement *element)
{
    if (element)
        AppendToList(firstElement, lastElement, element);
}

void CAlbumPage::AddText(int font, int size, const char *text, bool centred)
{
    AddElement(new CAlbumElementText(font, size, text, centred));
}

CAlbumElementRow *CAlbumPage::AddRow(int font, int size, double borderWidth, RowSpacingMode mode,
                                     double fixedSpace, bool alignTop)
{
    CAlbumElementRow *row = new CAlbumElementRow(font, size, borderWidth, mode, fixedSpace, alignTop);
    AddElement(row);
    return row;
}

void CAlbumPage::Clear()
{
    CAlbumElement *element = firstElement;
    while (element) {
        CAlbumElement *next = element->next;
        delete element;
        element = next;
    }
    firstElement = lastElement = nullptr;
}

// ---------------------------------------------------------------- the album

void CAlbumData::SetPageSize(double width, double height)
{
    pageWidth = width * MM_TO_POINTS;
    pageHeight = height * MM_TO_POINTS;
    sizeSet = true;
}

void CAlbumData::SetMargins(double left, double right, double top, double bottom, bool allPages)
{
    if (allPages) {
        oddLeft = left * MM_TO_POINTS;
        oddRight = right * MM_TO_POINTS;
        oddTop = top * MM_TO_POINTS;
        oddBottom = bottom * MM_TO_POINTS;
        marginsSet = true;
        evenLeft = oddLeft;
        evenRight = oddRight;
        evenTop = oddTop;
        evenBottom = oddBottom;
    } else {
        evenLeft = left * MM_TO_POINTS;
        evenRight = right * MM_TO_POINTS;
        evenTop = top * MM_TO_POINTS;
        evenBottom = bottom * MM_TO_POINTS;
    }
}

void CAlbumData::SetBorder(double outer, double inner, double gap)
{
    borderOuter = outer * MM_TO_POINTS;
    borderInner = inner * MM_TO_POINTS;
    borderGap = gap * MM_TO_POINTS;
    borderSet = true;
}

void CAlbumData::SetSpacing(double horizontal, double vertical)
{
    hSpacing = horizontal * MM_TO_POINTS;
    vSpacing = vertical * MM_TO_POINTS;
    spacingSet = true;
}

void CAlbumData::SetTitle(int font, int size, const char *text)
{
    titleText = CopyText(text);
    titleFont = font;
    titleSize = size;
}

void CAlbumData::AddPage(double horizontal, double vertical)
{
    CAlbumPage *page = new CAlbumPage;
    page->hSpacing = horizontal * MM_TO_POINTS;
    page->vSpacing = vertical * MM_TO_POINTS;
    AppendToList(firstPage, lastPage, page);
    currentPage = page;
}

void CAlbumData::AddText(int font, int size, const char *text, bool centred)
{
    if (currentPage)
        currentPage->AddText(font, size, text, centred);
}

void CAlbumData::AddRow(int font, int size, double borderWidth, RowSpacingMode mode,
                        double fixedSpace)
{
    if (currentPage)
        currentRow = currentPage->AddRow(font, size, borderWidth * MM_TO_POINTS, mode,
                                         fixedSpace * MM_TO_POINTS, alignTop);
}

void CAlbumData::AddStamp(double width, double height, const char *const texts[9])
{
    if (currentRow)
        currentRow->AddStamp(width, height, texts, false);
}

void CAlbumData::AddTriangleStamp(double width, double height, const char *const texts[9])
{
    if (currentRow)
        currentRow->AddStamp(width, height, texts, true);
}

void CAlbumData::Clear()
{
    titleText.reset();
    CAlbumPage *page = firstPage;
    while (page) {
        CAlbumPage *next = page->next;
        page->Clear();
        delete page;
        page = next;
    }
    firstPage = lastPage = currentPage = nullptr;
    currentRow = nullptr;
    sizeSet = marginsSet = borderSet = spacingSet = false;
    titleFont = -1;
    titleSize = 0;
    borderGap = borderOuter = borderInner = 0;
    alignTop = true;
}
