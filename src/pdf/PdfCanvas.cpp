#include "pdf/PdfCanvas.h"

#include "pdf/PdfArray.h"
#include "pdf/PdfDictionary.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfFont.h"
#include "pdf/PdfFormat.h"
#include "pdf/PdfInvalidOperation.h"
#include "pdf/PdfInvalidValue.h"
#include "pdf/PdfName.h"
#include "pdf/PdfNumber.h"
#include "pdf/PdfReal.h"
#include "pdf/PdfStream.h"

namespace korvent::pdf {

TPdfCanvas::TPdfCanvas(TPdfDoc* doc) : FPdfDoc(doc) {}

void TPdfCanvas::WriteString(std::string_view bytes) {
    if (!FIsVirtual && FContents != nullptr) {
        FContents->Data().append(bytes);
    }
}

TPdfDictionary* TPdfCanvas::GetPage() const {
    if (FPage == nullptr) {
        throw EPdfInvalidOperation("GetPage --the Page is nil");
    }
    return FPage;
}

TPdfDoc& TPdfCanvas::GetDoc() const {
    if (FPdfDoc == nullptr) {
        throw EPdfInvalidOperation("ERROR: GetDoc documant is nil.");
    }
    return *FPdfDoc;
}

void TPdfCanvas::Detach() {
    FPage = nullptr;
    FContents = nullptr;
    FAttr.SetFont(nullptr);
    FIsVirtual = false;
}

void TPdfCanvas::SetPage(TPdfDictionary* page) {
    if (FPage != nullptr && FAttr.Font() != nullptr) {
        FPage->SetHiddenItem("_Font", std::make_unique<TPdfName>(FAttr.Font()->Name()));
        FPage->SetHiddenItem("_Font_Size", std::make_unique<TPdfReal>(FAttr.FontSize()));
        FPage->SetHiddenItem("_Word_Space", std::make_unique<TPdfReal>(FAttr.WordSpace()));
        FPage->SetHiddenItem("_Char_Space", std::make_unique<TPdfReal>(FAttr.CharSpace()));
        FPage->SetHiddenItem("_HScalling", std::make_unique<TPdfNumber>(FAttr.HorizontalScaling()));
        FPage->SetHiddenItem("_Leading", std::make_unique<TPdfReal>(FAttr.Leading()));
    }
    FPage = page;
    if (page == nullptr) {
        FContents = nullptr;
        return;
    }
    FContents = dynamic_cast<TPdfStream*>(page->ValueOf("Contents"));
    if (const TPdfName* font = page->NameValueOf("_Font")) {
        const auto real = [&](const char* key) {
            const TPdfReal* value = page->RealValueOf(key);
            return value != nullptr ? static_cast<float>(value->Value()) : 0.0f;
        };
        FAttr.SetFont(&GetDoc().GetFont(font->Value()));
        FAttr.SetFontSize(real("_Font_Size"));
        FAttr.SetWordSpace(real("_Word_Space"));
        FAttr.SetCharSpace(real("_Char_Space"));
        const TPdfNumber* scaling = page->NumberValueOf("_HScalling");
        FAttr.SetHorizontalScaling(scaling != nullptr ? scaling->Value() : 100);
        FAttr.SetLeading(real("_Leading"));
        return;
    }
    FAttr.SetFont(nullptr);
    SetFont("Arial", 10);
    FAttr.SetCharSpace(0);
    FAttr.SetWordSpace(0);
    FAttr.SetHorizontalScaling(100);
    FAttr.SetLeading(0);
}

void TPdfCanvas::SetMediaBoxElement(int index, int value) {
    TPdfArray* box = GetPage()->ArrayValueOf("MediaBox");
    auto* number = box != nullptr ? dynamic_cast<TPdfNumber*>(box->ItemAt(index)) : nullptr;
    if (number == nullptr) {
        throw EPdfInvalidOperation("Can not chenge width of this page..");
    }
    number->SetValue(value);
}

void TPdfCanvas::SetPageWidth(int width) {
    SetMediaBoxElement(2, width);
}

void TPdfCanvas::SetPageHeight(int height) {
    SetMediaBoxElement(3, height);
}

void TPdfCanvas::SetFont(std::string_view fontName, float size) {
    TPdfFont& font = GetDoc().GetFont(fontName);
    if (&font == FAttr.Font() && size == FAttr.FontSize()) {
        return;
    }
    // Checked before anything is written or changed.
    TPdfCanvasAttribute check;
    check.SetFontSize(size);

    const std::string key = font.Data()->NameValueOf("Name")->Value();
    TPdfDictionary* resources = GetPage()->DictionaryValueOf("Resources");
    TPdfDictionary* fonts = resources != nullptr ? resources->DictionaryValueOf("Font") : nullptr;
    if (fonts != nullptr && fonts->ValueOf(key) == nullptr) {
        fonts->SetItem(key, *font.Data());
    }
    if (FContents != nullptr) {
        WriteString("/" + key + " " + FormatOperand(size) + " Tf\n");
    }
    FAttr.SetFont(&font);
    FAttr.SetFontSize(size);
}

void TPdfCanvas::GSave() {
    WriteString("q\n");
}

void TPdfCanvas::GRestore() {
    WriteString("Q\n");
}

void TPdfCanvas::Concat(double a, double b, double c, double d, double e, double f) {
    WriteString(FormatOperand(a) + " " + FormatOperand(b) + " " + FormatOperand(c) + " " +
                FormatOperand(d) + " " + FormatOperand(e) + " " + FormatOperand(f) + " cm\n");
}

void TPdfCanvas::Rectangle(double x, double y, double width, double height) {
    WriteString(FormatOperand(x) + " " + FormatOperand(y) + " " + FormatOperand(width) + " " +
                FormatOperand(height) + " re\n");
}

void TPdfCanvas::Clip() {
    WriteString("W\n");
}

void TPdfCanvas::NewPath() {
    WriteString("n\n");
}

std::string TPdfCanvas::PrepareXObject(std::string_view name, const char* operation) {
    TPdfStream* object = GetDoc().FindXObject(name);
    if (object == nullptr) {
        throw EPdfInvalidValue(std::string(operation) +
                               " --XObject not found: " + std::string(name));
    }
    TPdfDictionary* resources = GetPage()->DictionaryValueOf("Resources");
    TPdfDictionary* xobjects =
        resources != nullptr ? resources->DictionaryValueOf("XObject") : nullptr;
    if (xobjects != nullptr && xobjects->ValueOf(name) == nullptr) {
        xobjects->SetItem(name, *object);
    }
    // Escaped exactly as the resource key is written, so that any name finds its entry.
    return "/" + EscapeName(object->Attributes().NameValueOf("Name")->Value()) + " Do\n";
}

void TPdfCanvas::DrawXObject(double x, double y, double width, double height,
                             std::string_view name) {
    const std::string paint = PrepareXObject(name, "DrawXObject");
    // Formatted first, so that a bad number writes nothing.
    const std::string transform = FormatOperand(width) + " 0 0 " + FormatOperand(height) + " " +
                                  FormatOperand(x) + " " + FormatOperand(y) + " cm\n";
    GSave();
    WriteString(transform);
    WriteString(paint);
    GRestore();
}

void TPdfCanvas::DrawXObjectEx(double x, double y, double width, double height, double clipX,
                               double clipY, double clipWidth, double clipHeight,
                               std::string_view name) {
    const std::string paint = PrepareXObject(name, "DrawXObjectEx");
    const std::string clip = FormatOperand(clipX) + " " + FormatOperand(clipY) + " " +
                             FormatOperand(clipWidth) + " " + FormatOperand(clipHeight) + " re\n";
    const std::string transform = FormatOperand(width) + " 0 0 " + FormatOperand(height) + " " +
                                  FormatOperand(x) + " " + FormatOperand(y) + " cm\n";
    GSave();
    WriteString(clip);
    Clip();
    NewPath();
    WriteString(transform);
    WriteString(paint);
    GRestore();
}

}  // namespace korvent::pdf
