#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "settings/RegItem.h"

namespace korvent::settings {

// The item table of a settings manager, in table order.
class TRegItems {
public:
    virtual ~TRegItems() = default;

    TRegItem& Add();
    TRegItem& Add(const TRegItem& item);
    int Count() const { return static_cast<int>(fItems.size()); }

    virtual TRegItem& GetItem(int index);
    virtual void SetItem(int index, const TRegItem& item);
    // The first item whose Name equals `name` ignoring case, or nullptr.
    virtual TRegItem* FindItem(std::string_view name);

private:
    std::vector<std::unique_ptr<TRegItem>> fItems;
};

}  // namespace korvent::settings
