#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/FontData.h"

namespace korvent::settings {

class TRegItem;
class TRegManager;
class SerializableComponent;

// The typed accessor of a settings manager, positioned on one item by TRegManager::Items.
// Every access opens the back end, performs one read or write and closes it again.
class TRegFiler {
public:
    explicit TRegFiler(TRegManager& manager) : fManager(manager) {}
    virtual ~TRegFiler() = default;

    TRegItem* CurrentItem = nullptr;

    // Section-level access; an empty section or ident does nothing (a read gives `def`).
    virtual std::string ReadValue(const std::string& section, const std::string& ident,
                                  const std::string& def);
    virtual void WriteValue(const std::string& section, const std::string& ident,
                            const std::string& value);
    void DeleteKey(const std::string& section, const std::string& ident);

    // Typed access to CurrentItem. With no current item a read gives the empty value and a
    // write does nothing.
    virtual bool ReadBool();
    virtual void WriteBool(bool value);
    virtual int ReadInteger();
    virtual void WriteInteger(int value);
    virtual std::string ReadString();
    virtual void WriteString(const std::string& value);
    void WriteFloat(double value);
    virtual void ReadFont(FontData& font);
    virtual void WriteFont(const FontData& font);
    virtual void ReadStrings(std::vector<std::string>& list);
    virtual void WriteStrings(const std::vector<std::string>& list);
    // Streams are byte strings: a read appends, a write stores the whole string.
    virtual void ReadStream(std::string& stream);
    virtual void WriteStream(const std::string& stream);
    virtual void ReadControl(SerializableComponent* control);
    virtual void WriteComponent(SerializableComponent* component);

private:
    TRegManager& fManager;
};

}  // namespace korvent::settings
