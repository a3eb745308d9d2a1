// A canvas for the layout tests: records every call with its exact arguments
// and measures texts with the real font metrics of a libharu document.
#pragma once

#include <string>
#include <vector>

#include "AlbumPdf.h"
#include "FontNames.h"
#include "PdfDoc.h"

struct DrawCall {
    std::string op;
    std::vector<double> args;  // TextWidth: the width it returned; SetFont: size, index
    std::string text;          // SetFont: the font's name; TextWidth, ShowText: the text
};

// A text as shown: the position its text object moved to, and the text.
struct ShownText {
    double x;
    double y;
    std::string text;
};

class RecordingContents : public PdfContents {
public:
    RecordingContents()
    {
        PdfWinAnsiEncoding encoding;
        doc_.NewDocument();
        doc_.AddType1Font(PdfTimesRomanFontDef(), &encoding);
        doc_.AddType1Font(PdfTimesBoldFontDef(), &encoding);
        doc_.AddType1Font(PdfTimesItalicFontDef(), &encoding);
        doc_.AddType1Font(PdfTimesBoldItalicFontDef(), &encoding);
        doc_.AddType1Font(PdfHelveticaFontDef(), &encoding);
        doc_.AddType1Font(PdfHelveticaBoldFontDef(), &encoding);
        doc_.AddType1Font(PdfHelveticaObliqueFontDef(), &encoding);
        doc_.AddType1Font(PdfHelveticaBoldObliqueFontDef(), &encoding);
        metrics_ = doc_.AddPage()->GetContents();
    }

    void SetLineWidth(double width) override { Record("SetLineWidth", {width}); }
    void Rectangle(double x, double y, double width, double height) override
    {
        Record("Rectangle", {x, y, width, height});
    }
    void MoveTo(double x, double y) override { Record("MoveTo", {x, y}); }
    void LineTo(double x, double y) override { Record("LineTo", {x, y}); }
    void Stroke() override { Record("Stroke", {}); }
    void SetFont(int fontIndex, double size) override
    {
        Record("SetFont", {size, static_cast<double>(fontIndex)},
               IsFontIndex(fontIndex) ? FONT_NAMES[fontIndex] : "(none)");
        metrics_->SetFont(fontIndex, size);
    }
    double TextWidth(const char *text) override
    {
        double width = metrics_->TextWidth(text);
        Record("TextWidth", {width}, text);
        return width;
    }
    void GetGlyphWidths(int widths[256]) override { metrics_->GetGlyphWidths(widths); }
    void BeginText() override { Record("BeginText", {}); }
    void MoveTextPos(double x, double y) override { Record("MoveTextPos", {x, y}); }
    void ShowText(const char *text) override { Record("ShowText", {}, text); }
    void EndText() override { Record("EndText", {}); }

    // The width of text in a font (a FONT_NAMES entry), measured outside the record.
    double Measure(const std::string &font, double size, const char *text)
    {
        int index = FONT_COUNT - 1;
        while (index >= 0 && font != FONT_NAMES[index])
            --index;
        metrics_->SetFont(index, size);  // throws for a name not in the table
        return metrics_->TextWidth(text);
    }

    std::vector<DrawCall> Calls(const std::string &op) const
    {
        std::vector<DrawCall> found;
        for (const DrawCall &call : calls)
            if (call.op == op)
                found.push_back(call);
        return found;
    }

    // Every ShowText with the position of the MoveTextPos before it.
    std::vector<ShownText> Shown() const
    {
        std::vector<ShownText> shown;
        double x = 0, y = 0;
        for (const DrawCall &call : calls) {
            if (call.op == "MoveTextPos") {
                x = call.args[0];
                y = call.args[1];
            } else if (call.op == "ShowText") {
                shown.push_back({x, y, call.text});
            }
        }
        return shown;
    }

    // The ops in order, joined by blanks, for checking call sequences.
    std::string Sequence() const
    {
        std::string joined;
        for (const DrawCall &call : calls)
            joined += (joined.empty() ? "" : " ") + call.op;
        return joined;
    }

    std::vector<DrawCall> calls;

private:
    void Record(const char *op, std::vector<double> args, std::string text = std::string())
    {
        calls.push_back({op, std::move(args), std::move(text)});
    }

    PdfDoc doc_;
    PdfContents *metrics_ = nullptr;
};
