#pragma once

#include <string>
#include <vector>

#include "app/Control.h"

namespace korvent::app {

// The job list: a multi-select list with a check box per entry. Checked and Selected always
// have as many entries as Items.
struct CheckListControl : Control {
    using Control::Control;

    std::vector<char> ItemChecked;
    std::vector<char> ItemSelected;
    bool MultiSelect = false;

    int Count() const { return static_cast<int>(Items.size()); }
    void Add(std::string text) {
        Items.push_back(std::move(text));
        ItemChecked.push_back(0);
        ItemSelected.push_back(0);
    }
    void Delete(int index) {
        Items.erase(Items.begin() + index);
        ItemChecked.erase(ItemChecked.begin() + index);
        ItemSelected.erase(ItemSelected.begin() + index);
        if (ItemIndex >= Count()) {
            ItemIndex = Count() - 1;
        }
    }
    // Replacing the items, as an assignment of the list control's strings does, drops every
    // check mark and the selection.
    void Assign(std::vector<std::string> texts) {
        Items = std::move(texts);
        ItemChecked.assign(Items.size(), 0);
        ItemSelected.assign(Items.size(), 0);
        ItemIndex = -1;
    }
    void Clear() { Assign({}); }
};

}  // namespace korvent::app
