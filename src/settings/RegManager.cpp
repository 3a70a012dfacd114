#include "settings/RegManager.h"

#include "platform/MessageBoxes.h"

namespace korvent::settings {

TRegManager::TRegManager(platform::ProfileStore& profiles, platform::Registry& registry,
                         platform::MessageBoxes& messages)
    : fProfiles(profiles),
      fRegistry(registry),
      fMessages(messages),
      fItems(std::make_unique<TRegItems>()) {}

TRegManager::~TRegManager() {
    fItems.reset();
    fFiler.reset();
}

std::unique_ptr<TRegFiler> TRegManager::CreateFiler() {
    return std::make_unique<TRegFiler>(*this);
}

TRegFiler& TRegManager::Items(const std::string& name) {
    // Created on first use rather than in the constructor so that a subclass's CreateFiler
    // is the one called.
    if (!fFiler) {
        fFiler = CreateFiler();
    }
    fFiler->CurrentItem = fItems->FindItem(name);
    if (!fFiler->CurrentItem) {
        fMessages.Show("[' " + name + " '] is invalid.", kMessageCaption,
                       platform::mb::Ok | platform::mb::IconError);
    }
    return *fFiler;
}

}  // namespace korvent::settings
