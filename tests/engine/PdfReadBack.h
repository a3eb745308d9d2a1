// Reading written PDF files back in tests: every page's media box, fonts and
// drawing operators, expected operator lists, and generation from description text.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

// One drawing operator of a page's content stream with its operands.
struct PdfOp {
    std::string op;
    std::vector<double> nums;
    std::string text;  // string operand, as for Tj
    std::string name;  // name operand without its slash, e.g. the font resource of Tf
};

using PdfOps = std::vector<PdfOp>;

struct PdfPageRead {
    std::vector<double> mediaBox;
    PdfOps ops;
    // Font resource name -> BaseFont, e.g. "F1" -> "Times-Bold".
    std::map<std::string, std::string> fonts;
};

// Every page of a written PDF, in order; fails the test (ADD_FAILURE) and
// returns {} when the file is unreadable or qpdf had to repair it.
std::vector<PdfPageRead> ReadPdfPages(const std::string &path);

// Expected operators, each as a short list so that lists join with Ops().
PdfOps LineWidth(double width);
PdfOps Rect(double x, double y, double width, double height);
PdfOps Move(double x, double y);
PdfOps Line(double x, double y);
PdfOps Stroke();
// Selects baseFont (e.g. "Times-Bold") at size; compared through the page's fonts.
PdfOps Font(const std::string &baseFont, double size);
// One text placed on its own: BT, x y Td, (text) Tj, ET.
PdfOps Text(double x, double y, const std::string &text);
// A stroked rectangle with its line width: w, re, S.
PdfOps Frame(double lineWidth, double x, double y, double width, double height);
// A stroked segment: m, l, S.
PdfOps Segment(double x0, double y0, double x1, double y1);
// The lists joined in order.
PdfOps Ops(std::initializer_list<PdfOps> parts);

// An operator as a content stream would show it, the font resolved: "/Times-Bold 16 Tf".
std::string DescribeOp(const PdfOp &op, const std::map<std::string, std::string> &fonts);
// The page's operators one per line, numbered.
std::string DescribeOps(const PdfPageRead &page);

// Whether the page draws exactly expected (numbers within tolerance, fonts by
// base name); otherwise names the first difference with some context.
::testing::AssertionResult PageDraws(const PdfPageRead &page, const PdfOps &expected,
                                     double tolerance = 0.001);
// Whether the page's media box is 0 0 width height.
::testing::AssertionResult PageSizeIs(const PdfPageRead &page, double width, double height);

// What one run of the public path gave: parse the description, then (when
// the parse succeeded) generate the PDF into a scratch file and read it back.
struct GeneratedPdf {
    int parseResult = -1;
    int createResult = -1;                // -1 when generation did not run
    std::vector<std::string> messages;    // every message of parse and generation
    bool fileExists = false;              // whether a file stood at the path afterwards
    std::vector<PdfPageRead> pages;       // empty unless generation succeeded
    std::string allMessages() const;
};

GeneratedPdf GeneratePdf(const std::string &description);

// Width in points of text in one of the standard fonts at size, from the
// fonts' own metrics (what a PDF viewer uses), independent of the engine.
double StandardTextWidth(const std::string &baseFont, double size, const std::string &text);
