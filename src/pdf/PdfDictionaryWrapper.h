#pragma once

namespace korvent::pdf {

class TPdfDictionary;

// Gives typed access to one dictionary owned by the cross-reference table.
class TPdfDictionaryWrapper {
public:
    virtual ~TPdfDictionaryWrapper() = default;

    TPdfDictionary* Data() const { return FData; }
    virtual void SetData(TPdfDictionary* data) { FData = data; }
    bool HasData() const { return FData != nullptr; }

private:
    TPdfDictionary* FData = nullptr;
};

}  // namespace korvent::pdf
