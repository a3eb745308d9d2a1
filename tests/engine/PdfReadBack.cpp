// Reading written PDFs back with libqpdf, and comparing their pages with
// expected operator lists.
#include "PdfReadBack.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <type_traits>
#include <sstream>
#include <unistd.h>

#include <hpdf.h>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include "AlbumData.h"
#include "AlbumPdf.h"
#include "TestSupport.h"

namespace {

// A PDF name without its leading slash.
std::string BareName(const std::string &name)
{
    return !name.empty() && name[0] == '/' ? name.substr(1) : name;
}

// Collects the operators of a content stream with the operands before each.
class OpCollector : public QPDFObjectHandle::ParserCallbacks {
public:
    explicit OpCollector(PdfOps &ops) : ops_(ops) {}

    void handleObject(QPDFObjectHandle object) override
    {
        if (object.isOperator()) {
            pending_.op = object.getOperatorValue();
            ops_.push_back(pending_);
            pending_ = PdfOp();
        } else if (object.isNumber()) {
            pending_.nums.push_back(object.getNumericValue());
        } else if (object.isString()) {
            pending_.text = object.getStringValue();
        } else if (object.isName()) {
            pending_.name = BareName(object.getName());
        } else {
            // No page of ours holds arrays or dictionaries: show them in the operator.
            pending_.text = object.unparse();
        }
    }
    void handleEOF() override {}

private:
    PdfOps &ops_;
    PdfOp pending_;
};

std::map<std::string, std::string> PageFonts(QPDFPageObjectHelper &page)
{
    std::map<std::string, std::string> fonts;
    QPDFObjectHandle resources = page.getAttribute("/Resources", false);
    QPDFObjectHandle fontDict = resources.getKeyIfDict("/Font");
    if (!fontDict.isDictionary())
        return fonts;
    for (auto &entry : fontDict.getDictAsMap()) {
        QPDFObjectHandle base = entry.second.getKeyIfDict("/BaseFont");
        fonts[BareName(entry.first)] = base.isName() ? BareName(base.getName()) : "?";
    }
    return fonts;
}

std::vector<double> Numbers(QPDFObjectHandle array)
{
    std::vector<double> numbers;
    if (!array.isArray())
        return numbers;
    for (QPDFObjectHandle item : array.getArrayAsVector())
        numbers.push_back(item.isNumber() ? item.getNumericValue() : NAN);
    return numbers;
}

PdfPageRead ReadPage(QPDFPageObjectHelper &page)
{
    PdfPageRead read;
    read.mediaBox = Numbers(page.getMediaBox());
    read.fonts = PageFonts(page);
    OpCollector collector(read.ops);
    page.parseContents(&collector);
    return read;
}

PdfOps One(const std::string &op, std::vector<double> nums, std::string text = "",
           std::string name = "")
{
    PdfOp single;
    single.op = op;
    single.nums = std::move(nums);
    single.text = std::move(text);
    single.name = std::move(name);
    return {single};
}

std::string FormatNumber(double value)
{
    std::ostringstream out;
    out.precision(10);
    out << value;
    return out.str();
}

// The font an operator names: the base font for a page's resource name,
// the name itself for an expected operator (which names base fonts).
std::string ResolvedName(const PdfOp &op, const std::map<std::string, std::string> &fonts)
{
    auto found = fonts.find(op.name);
    return found != fonts.end() ? found->second : op.name;
}

bool SameOp(const PdfOp &actual, const PdfOp &expected,
            const std::map<std::string, std::string> &fonts, double tolerance)
{
    if (actual.op != expected.op || actual.text != expected.text ||
        ResolvedName(actual, fonts) != expected.name || actual.nums.size() != expected.nums.size())
        return false;
    for (size_t k = 0; k < actual.nums.size(); ++k) {
        if (!(std::fabs(actual.nums[k] - expected.nums[k]) <= tolerance))
            return false;
    }
    return true;
}

// Expected and actual operators from first - 2 to first + 2.
std::string Context(const PdfPageRead &page, const PdfOps &expected, size_t first)
{
    std::ostringstream out;
    const size_t from = first >= 2 ? first - 2 : 0;
    const std::map<std::string, std::string> none;
    for (size_t k = from; k <= first + 2; ++k) {
        if (k >= expected.size() && k >= page.ops.size())
            break;
        out << (k == first ? "  > " : "    ") << "#" << k << "  expected: "
            << (k < expected.size() ? DescribeOp(expected[k], none) : "(nothing)")
            << "   actual: " << (k < page.ops.size() ? DescribeOp(page.ops[k], page.fonts) : "(nothing)")
            << "\n";
    }
    return out.str();
}

}  // namespace

std::vector<PdfPageRead> ReadPdfPages(const std::string &path)
{
    std::vector<PdfPageRead> pages;
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processFile(path.c_str());
        for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(pdf).getAllPages())
            pages.push_back(ReadPage(page));
        if (pdf.anyWarnings()) {
            ADD_FAILURE() << path << ": qpdf repaired the file: " << pdf.getWarnings().front().what();
            return {};
        }
    } catch (const std::exception &error) {
        ADD_FAILURE() << path << ": unreadable: " << error.what();
        return {};
    }
    return pages;
}

PdfOps LineWidth(double width) { return One("w", {width}); }
PdfOps Rect(double x, double y, double width, double height) { return One("re", {x, y, width, height}); }
PdfOps Move(double x, double y) { return One("m", {x, y}); }
PdfOps Line(double x, double y) { return One("l", {x, y}); }
PdfOps Stroke() { return One("S", {}); }
PdfOps Font(const std::string &baseFont, double size) { return One("Tf", {size}, "", baseFont); }

PdfOps Text(double x, double y, const std::string &text)
{
    return Ops({One("BT", {}), One("Td", {x, y}), One("Tj", {}, text), One("ET", {})});
}

PdfOps Frame(double lineWidth, double x, double y, double width, double height)
{
    return Ops({LineWidth(lineWidth), Rect(x, y, width, height), Stroke()});
}

PdfOps Segment(double x0, double y0, double x1, double y1)
{
    return Ops({Move(x0, y0), Line(x1, y1), Stroke()});
}

PdfOps Ops(std::initializer_list<PdfOps> parts)
{
    PdfOps joined;
    for (const PdfOps &part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

std::string DescribeOp(const PdfOp &op, const std::map<std::string, std::string> &fonts)
{
    std::string shown;
    if (!op.name.empty())
        shown += "/" + ResolvedName(op, fonts) + " ";
    for (double number : op.nums)
        shown += FormatNumber(number) + " ";
    if (!op.text.empty() || op.op == "Tj")
        shown += "(" + op.text + ") ";
    return shown + op.op;
}

std::string DescribeOps(const PdfPageRead &page)
{
    std::string listing;
    for (size_t k = 0; k < page.ops.size(); ++k)
        listing += "#" + std::to_string(k) + "  " + DescribeOp(page.ops[k], page.fonts) + "\n";
    return listing;
}

::testing::AssertionResult PageDraws(const PdfPageRead &page, const PdfOps &expected, double tolerance)
{
    const size_t common = std::min(page.ops.size(), expected.size());
    size_t first = 0;
    while (first < common && SameOp(page.ops[first], expected[first], page.fonts, tolerance))
        ++first;
    if (first == common && page.ops.size() == expected.size())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "the page draws " << page.ops.size() << " operators, " << expected.size()
           << " expected; first difference at #" << first << ":\n"
           << Context(page, expected, first);
}

::testing::AssertionResult PageSizeIs(const PdfPageRead &page, double width, double height)
{
    const std::vector<double> expected = {0, 0, width, height};
    if (page.mediaBox == expected)
        return ::testing::AssertionSuccess();
    std::string shown;
    for (double number : page.mediaBox)
        shown += FormatNumber(number) + " ";
    return ::testing::AssertionFailure() << "media box [ " << shown << "], expected [ 0 0 "
                                         << FormatNumber(width) << " " << FormatNumber(height) << " ]";
}

std::string GeneratedPdf::allMessages() const
{
    std::string joined;
    for (const std::string &message : messages)
        joined += message;
    return joined;
}

double StandardTextWidth(const std::string &baseFont, double size, const std::string &text)
{
    // One libharu document for all measurements, released at exit.
    static const std::unique_ptr<std::remove_pointer<HPDF_Doc>::type, decltype(&HPDF_Free)> doc(
        HPDF_New(nullptr, nullptr), &HPDF_Free);
    HPDF_Font font = HPDF_GetFont(doc.get(), baseFont.c_str(), "WinAnsiEncoding");
    if (!font) {
        ADD_FAILURE() << "no standard font " << baseFont;
        HPDF_ResetError(doc.get());
        return 0;
    }
    const HPDF_TextWidth width = HPDF_Font_TextWidth(
        font, reinterpret_cast<const HPDF_BYTE *>(text.data()), static_cast<HPDF_UINT>(text.size()));
    return width.width * size / 1000.0;
}

GeneratedPdf GeneratePdf(const std::string &description)
{
    GeneratedPdf result;
    MessageCapture capture;
    result.parseResult = ParseText(description);
    if (result.parseResult == 0) {
        char path[] = "/tmp/quillory_readback_XXXXXX";
        const int fd = mkstemp(path);
        if (fd < 0 || close(fd) != 0 || unlink(path) != 0) {
            ADD_FAILURE() << "no scratch file for the PDF";
            return result;
        }
        result.createResult = CreateAlbumPdf(&theAlbum, path);
        result.fileExists = access(path, F_OK) == 0;
        if (result.createResult == 0)
            result.pages = ReadPdfPages(path);
        unlink(path);
    }
    result.messages = capture.messages();
    return result;
}
