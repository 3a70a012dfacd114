#include "pdf/PdfDoc.h"

#include "pdf/PdfArray.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfCatalog.h"
#include "pdf/PdfDictionary.h"
#include "pdf/PdfFont.h"
#include "pdf/PdfFontRegistry.h"
#include "pdf/PdfHeader.h"
#include "pdf/PdfImage.h"
#include "pdf/PdfInfo.h"
#include "pdf/PdfInvalidOperation.h"
#include "pdf/PdfInvalidValue.h"
#include "pdf/PdfName.h"
#include "pdf/PdfNumber.h"
#include "pdf/PdfOutlineRoot.h"
#include "pdf/PdfText.h"
#include "pdf/PdfTrailer.h"
#include "pdf/PdfXref.h"
#include "platform/Exception.h"

#include <algorithm>
#include <chrono>
#include <ostream>

namespace korvent::pdf {
namespace {

bool HasName(const TPdfDictionary& dictionary, std::string_view key, std::string_view value) {
    const TPdfName* name = dictionary.NameValueOf(key);
    return name != nullptr && name->Value() == value;
}

TDateTime Now() {
    return std::chrono::system_clock::now();
}

}  // namespace

TPdfDoc::TPdfDoc() : FCanvas(std::make_unique<TPdfCanvas>(this)) {}

TPdfDoc::~TPdfDoc() {
    DiscardDocument();
}

void TPdfDoc::StartDocument() {
    DiscardDocument();
    FXref = std::make_unique<TPdfXref>();
    FHeader = std::make_unique<TPdfHeader>();
    FTrailer = std::make_unique<TPdfTrailer>(FXref.get());
    FXObjectList = std::make_unique<TPdfArray>(FXref.get());

    auto* catalogDictionary = FXref->Add(std::make_unique<TPdfDictionary>(FXref.get()));
    catalogDictionary->SetNameItem("Type", "Catalog");
    FTrailer->Attributes().SetItem("Root", *catalogDictionary);
    auto catalog = std::make_unique<TPdfCatalog>();
    catalog->SetData(catalogDictionary);
    FRoot = catalog.get();
    FObjectList.push_back(std::move(catalog));

    if (FUseOutlines) {
        auto* outlineDictionary = FXref->Add(std::make_unique<TPdfDictionary>(FXref.get()));
        outlineDictionary->SetNameItem("Type", "Outlines");
        auto outlineRoot = std::make_unique<TPdfOutlineRoot>(this);
        outlineRoot->SetData(outlineDictionary);
        FOutlineRoot = outlineRoot.get();
        FObjectList.push_back(std::move(outlineRoot));
        catalogDictionary->SetItem("Outlines", *outlineDictionary);
    }

    auto* infoDictionary = FXref->Add(std::make_unique<TPdfDictionary>(FXref.get()));
    infoDictionary->SetItem("Producer", std::make_unique<TPdfText>(kProducer));
    FTrailer->Attributes().SetItem("Info", *infoDictionary);
    auto info = std::make_unique<TPdfInfo>();
    info->SetData(infoDictionary);
    FInfo = info.get();
    FObjectList.push_back(std::move(info));
    FInfo->SetCreationDate(Now());

    FCurrentPages = CreatePages(nullptr);
    FHasDoc = true;
}

void TPdfDoc::DiscardDocument() {
    if (!FHasDoc && !FXref) {
        return;
    }
    FCanvas->Detach();
    FXObjectList.reset();
    while (!FFontList.empty()) {
        FFontList.pop_back();
    }
    while (!FObjectList.empty()) {
        FObjectList.pop_back();
    }
    FXref.reset();
    FHeader.reset();
    FTrailer.reset();
    FInfo = nullptr;
    FRoot = nullptr;
    FOutlineRoot = nullptr;
    FCurrentPages = nullptr;
    FHasDoc = false;
}

TPdfDictionary* TPdfDoc::CreatePages(TPdfDictionary* parent) {
    RequireDocument("CreatePages");
    auto* pages = FXref->Add(std::make_unique<TPdfDictionary>(FXref.get()));
    pages->SetNameItem("Type", "Pages");
    pages->SetItem("Kids", std::make_unique<TPdfArray>(FXref.get()));
    pages->SetNumberItem("Count", 0);
    if (parent != nullptr && HasName(*parent, "Type", "Pages")) {
        TPdfArray* kids = parent->ArrayValueOf("Kids");
        kids->Append(*pages);
        parent->SetNumberItem("Count", kids->ItemCount());
    } else {
        FRoot->SetPages(pages);
    }
    return pages;
}

void TPdfDoc::AddPage() {
    if (FCurrentPages == nullptr) {
        throw EPdfInvalidOperation("AddPage --current pages null.");
    }
    auto* page = FXref->Add(std::make_unique<TPdfDictionary>(FXref.get()));
    TPdfArray* kids = FCurrentPages->ArrayValueOf("Kids");
    kids->Append(*page);
    FCurrentPages->SetNumberItem("Count", kids->ItemCount());

    page->SetNameItem("Type", "Page");
    page->SetItem("Parent", *FCurrentPages);
    page->SetItem("MediaBox", std::make_unique<TPdfArray>(
                                  FXref.get(), std::initializer_list<int>{0, 0, FDefaultPageWidth,
                                                                          FDefaultPageHeight}));
    auto resources = std::make_unique<TPdfDictionary>(FXref.get());
    resources->SetItem("Font", std::make_unique<TPdfDictionary>(FXref.get()));
    resources->SetItem("XObject", std::make_unique<TPdfDictionary>(FXref.get()));
    auto procSet = std::make_unique<TPdfArray>(FXref.get());
    for (const char* name : {"PDF", "Text", "ImageC"}) {
        procSet->Append(std::make_unique<TPdfName>(name));
    }
    resources->SetItem("ProcSet", std::move(procSet));
    page->SetItem("Resources", std::move(resources));
    auto* contents = FXref->Add(std::make_unique<TPdfStream>(FXref.get()));
    page->SetItem("Contents", *contents);

    FCanvas->SetPage(page);
}

// The operations that register objects need the cross-reference table of an open document
// (StartDocument makes its page tree before the document counts as open).
void TPdfDoc::RequireDocument(const char* operation) const {
    if (!FXref) {
        throw EPdfInvalidOperation(std::string(operation) + " --document is null.");
    }
}

TPdfCanvas& TPdfDoc::Canvas() {
    if (!FHasDoc) {
        throw EPdfInvalidOperation("GetCanvas --Document is null");
    }
    return *FCanvas;
}

TPdfInfo& TPdfDoc::Info() {
    if (!FHasDoc) {
        throw EPdfInvalidOperation("GetInfo --this method can not use this state..");
    }
    return *FInfo;
}

TPdfCatalog& TPdfDoc::Root() {
    if (!FHasDoc) {
        throw EPdfInvalidOperation("GetRoot --this method can not use this state..");
    }
    return *FRoot;
}

TPdfOutlineRoot& TPdfDoc::OutlineRoot() {
    if (!FHasDoc) {
        throw EPdfInvalidOperation("GetOutlineRoot --document is null..");
    }
    if (FOutlineRoot == nullptr) {
        throw EPdfInvalidOperation("GetOutlineRoot --not use outline mode..");
    }
    return *FOutlineRoot;
}

TPdfXref& TPdfDoc::Xref() {
    if (!FXref) {
        throw EPdfInvalidOperation("GetXref --document is null.");
    }
    return *FXref;
}

TPdfFont& TPdfDoc::GetFont(std::string_view name) {
    if (!FHasDoc) {
        throw EPdfInvalidOperation("GetFont --document is null.");
    }
    for (const auto& font : FFontList) {
        if (font->Name() == name) {
            return *font;
        }
    }
    return CreateFont(name);
}

TPdfFont& TPdfDoc::CreateFont(std::string_view name) {
    RequireDocument("CreateFont");
    std::unique_ptr<TPdfFont> font = CreatePdfFont(name, *FXref);
    font->Data()->SetNameItem("Name", "F" + std::to_string(FFontList.size()));
    FFontList.push_back(std::move(font));
    return *FFontList.back();
}

void TPdfDoc::AddImage(std::string_view name, std::unique_ptr<TPdfImage> image) {
    RequireDocument("AddImage");
    if (FindXObject(name) != nullptr) {
        throw korvent::Exception("AddImage --the image named " + std::string(name) +
                                 " is already exists..");
    }
    if (!image || !HasName(image->Attributes(), "Type", "XObject") ||
        !HasName(image->Attributes(), "Subtype", "Image")) {
        throw korvent::Exception("AddImage --the image is not valid TPdfImage..");
    }
    TPdfStream* added = FXref->Add(std::unique_ptr<TPdfStream>(std::move(image)));
    RegisterXObjectIndirect(*added, name);
}

TPdfStream* TPdfDoc::RegisterXObject(std::unique_ptr<TPdfStream> object, std::string_view name) {
    RequireDocument("RegisterXObject");
    if (!object) {
        throw EPdfInvalidValue("RegisterXObject --AObject is null");
    }
    if (!HasName(object->Attributes(), "Type", "XObject")) {
        throw EPdfInvalidValue("RegisterXObject --not XObject");
    }
    TPdfStream* added = FXref->Add(std::move(object));
    RegisterXObjectIndirect(*added, name);
    return added;
}

void TPdfDoc::RegisterXObjectIndirect(TPdfStream& object, std::string_view name) {
    if (object.Attributes().ValueOf("Name") != nullptr) {
        return;
    }
    if (FindXObject(name) != nullptr) {
        throw EPdfInvalidValue("RegisterXObject --dupulicate name: " + std::string(name));
    }
    FXObjectList->Append(object);
    object.Attributes().SetNameItem("Name", name);
}

TPdfStream* TPdfDoc::FindXObject(std::string_view name) const {
    if (!FXObjectList) {
        return nullptr;
    }
    for (int i = 0; i < FXObjectList->ItemCount(); ++i) {
        auto* object = dynamic_cast<TPdfStream*>(FXObjectList->ItemAt(i));
        if (object != nullptr && HasName(object->Attributes(), "Name", name)) {
            return object;
        }
    }
    return nullptr;
}

TPdfCanvas& TPdfDoc::StartMeasuringDocument() {
    StartDocument();
    AddPage();
    FCanvas->SetIsVirtual(true);
    return *FCanvas;
}

TPdfOutlineEntry* TPdfDoc::AdoptOutlineEntry(std::unique_ptr<TPdfOutlineEntry> entry) {
    TPdfOutlineEntry* adopted = entry.get();
    FObjectList.push_back(std::move(entry));
    return adopted;
}

void TPdfDoc::SaveToStream(std::ostream& stream) {
    if (!FHasDoc) {
        throw EPdfInvalidOperation("SaveToStream --there is no document to save.");
    }
    FCanvas->GetPage();
    FInfo->SetModDate(Now());
    FRoot->SaveOpenAction();
    if (FOutlineRoot != nullptr) {
        FOutlineRoot->Save();
    }

    stream.seekp(0);
    FHeader->WriteToStream(stream);
    for (int i = 1; i < FXref->ItemCount(); ++i) {
        TPdfXrefEntry& entry = FXref->Items(i);
        entry.SetByteOffset(static_cast<std::int32_t>(stream.tellp()));
        entry.Value()->EmitAsObject(stream);
    }
    FTrailer->SetXrefAddress(static_cast<std::int64_t>(stream.tellp()));
    FXref->WriteToStream(stream);
    // Updated in place: Size stays the trailer's first key.
    FTrailer->Attributes().NumberValueOf("Size")->SetValue(FXref->ItemCount());
    FTrailer->WriteToStream(stream);
}

}  // namespace korvent::pdf
