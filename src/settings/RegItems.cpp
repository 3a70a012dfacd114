#include "settings/RegItems.h"

#include <stdexcept>

#include "platform/IniDocument.h"

namespace korvent::settings {

TRegItem& TRegItems::Add() {
    return *fItems.emplace_back(std::make_unique<TRegItem>());
}

TRegItem& TRegItems::Add(const TRegItem& item) {
    TRegItem& added = Add();
    added.Assign(item);
    return added;
}

TRegItem& TRegItems::GetItem(int index) {
    return *fItems.at(static_cast<size_t>(index));
}

void TRegItems::SetItem(int index, const TRegItem& item) {
    GetItem(index).Assign(item);
}

TRegItem* TRegItems::FindItem(std::string_view name) {
    for (const auto& item : fItems) {
        if (platform::EqualsIgnoreCase(item->Name, name)) {
            return item.get();
        }
    }
    return nullptr;
}

}  // namespace korvent::settings
