#pragma once

#include <memory>
#include <string>

#include "settings/RegFiler.h"
#include "settings/RegItems.h"
#include "settings/RegType.h"

namespace korvent::platform {
class MessageBoxes;
class ProfileStore;
class Registry;
}  // namespace korvent::platform

namespace korvent::settings {

// Named settings stored as text in an INI file (rtIni) or below a registry key (rtReg).
// Callers address a setting only by its item name:
//     manager.Items("OutputDir").WriteString(dir);
class TRegManager {
public:
    // Title of the manager's error boxes.
    static constexpr const char* kMessageCaption = "KorventPDF";

    TRegManager(platform::ProfileStore& profiles, platform::Registry& registry,
                platform::MessageBoxes& messages);
    virtual ~TRegManager();

    std::string IniFileName;  // full path of the INI file
    std::string RegDir;       // key path below the current user's root
    TRegType RegType = rtIni;

    TRegItems& RegItems() { return *fItems; }
    // The shared accessor positioned on the item named `name` (any case); with no such item
    // an error box "[' name '] is invalid." is shown and the accessor has no current item.
    TRegFiler& Items(const std::string& name);

    platform::ProfileStore& Profiles() { return fProfiles; }
    platform::Registry& Registry() { return fRegistry; }
    platform::MessageBoxes& Messages() { return fMessages; }

protected:
    virtual std::unique_ptr<TRegFiler> CreateFiler();

private:
    platform::ProfileStore& fProfiles;
    platform::Registry& fRegistry;
    platform::MessageBoxes& fMessages;
    std::unique_ptr<TRegItems> fItems;
    std::unique_ptr<TRegFiler> fFiler;
};

}  // namespace korvent::settings
