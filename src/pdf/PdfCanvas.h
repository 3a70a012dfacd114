#pragma once

#include "pdf/PdfCanvasAttribute.h"

#include <string>
#include <string_view>

namespace korvent::pdf {

class TPdfDictionary;
class TPdfDoc;
class TPdfStream;

// Writes the content stream of the document's current page: font selection and external
// objects placed with q, cm, re, W, n, Do and Q. Coordinates are points from the bottom left.
class TPdfCanvas {
public:
    explicit TPdfCanvas(TPdfDoc* doc);

    // Appends bytes to the content stream (nothing when virtual or without a page).
    void WriteString(std::string_view bytes);
    TPdfDictionary* GetPage() const;  // throws without a page
    TPdfDoc& GetDoc() const;          // throws without a document
    // Stores the text state in the old page, makes `page` current and restores or starts its
    // text state (a new page starts with Arial at 10 points).
    void SetPage(TPdfDictionary* page);
    // Forgets the page and font, as the document that held them is gone.
    void Detach();
    void SetPageWidth(int width);
    void SetPageHeight(int height);
    void SetFont(std::string_view fontName, float size);

    void GSave();
    void GRestore();
    void Concat(double a, double b, double c, double d, double e, double f);
    void Rectangle(double x, double y, double width, double height);
    void Clip();
    void NewPath();

    void DrawXObject(double x, double y, double width, double height, std::string_view name);
    void DrawXObjectEx(double x, double y, double width, double height, double clipX, double clipY,
                       double clipWidth, double clipHeight, std::string_view name);

    bool IsVirtual() const { return FIsVirtual; }
    void SetIsVirtual(bool value) { FIsVirtual = value; }
    TPdfCanvasAttribute& Attribute() { return FAttr; }
    TPdfStream* Contents() const { return FContents; }

private:
    void SetMediaBoxElement(int index, int value);
    // Finds the object, adds it to the page's resources and returns the line that paints it.
    std::string PrepareXObject(std::string_view name, const char* operation);

    bool FIsVirtual = false;
    TPdfStream* FContents = nullptr;
    TPdfDictionary* FPage = nullptr;
    TPdfDoc* FPdfDoc;
    TPdfCanvasAttribute FAttr;
};

}  // namespace korvent::pdf
