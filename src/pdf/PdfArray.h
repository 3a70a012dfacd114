#pragma once

#include "pdf/PdfObject.h"

#include <initializer_list>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace korvent::pdf {

class TPdfObjectMgr;

class TPdfArray : public TPdfObject {
public:
    explicit TPdfArray(TPdfObjectMgr* objectMgr = nullptr);
    // One TPdfNumber per value, in order (width tables).
    TPdfArray(TPdfObjectMgr* objectMgr, std::span<const int> values);
    TPdfArray(TPdfObjectMgr* objectMgr, std::initializer_list<int> values);
    ~TPdfArray() override;

    // Appends a direct value, which the array then owns (a null pointer is ignored).
    void Append(std::unique_ptr<TPdfObject> item);
    // Appends a reference to an indirect object; a direct object throws EPdfInvalidValue, as
    // nobody would own it.
    void Append(const TPdfObject& indirect);

    int ItemCount() const { return static_cast<int>(FArray.size()); }
    // References are resolved through the object manager; nullptr without one or out of range.
    TPdfObject* ItemAt(int index) const;
    TPdfObject* FindNameItem(std::string_view name) const;
    bool RemoveNameItem(std::string_view name);
    TPdfObjectMgr* ObjectMgr() const { return FObjectMgr; }

    void EmitBody(std::ostream& stream) override;

private:
    TPdfObject* Resolve(TPdfObject* item) const;

    std::vector<std::unique_ptr<TPdfObject>> FArray;
    TPdfObjectMgr* FObjectMgr;
};

}  // namespace korvent::pdf
