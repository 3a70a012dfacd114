#include "settings/RegFiler.h"

#include <clocale>
#include <functional>

#include "platform/IniDocument.h"
#include "platform/MessageBoxes.h"
#include "platform/ProfileStore.h"
#include "platform/Registry.h"
#include "settings/ComponentStream.h"
#include "settings/HStreamUtils.h"
#include "settings/RegItem.h"
#include "settings/RegManager.h"
#include "settings/RegManagerError.h"
#include "settings/ValueText.h"

namespace korvent::settings {
namespace {

constexpr size_t kHexLineLength = 64;

int IntegerOr0(const std::string& text) {
    return ParseInteger(text).value_or(0);
}

// The user's decimal separator (the GUI sets the process locale from the environment).
char DecimalSeparator() {
    const char* point = std::localeconv()->decimal_point;
    return (point && point[0] && !point[1]) ? point[0] : '.';
}

}  // namespace

// Opening a back end for one access: with the needed path empty the user is told and the
// access is skipped (nullptr).
class BackEnd {
public:
    static bool Available(TRegManager& m) {
        const bool ini = m.RegType == rtIni;
        if ((ini ? m.IniFileName : m.RegDir).empty()) {
            m.Messages().Show(
                ini ? "can not create Inifile object." : "can not create Registry object.",
                TRegManager::kMessageCaption, platform::mb::Ok | platform::mb::IconError);
            return false;
        }
        return true;
    }
    static std::string Key(const TRegManager& m, const std::string& section) {
        return m.RegDir + "\\" + section;
    }
    [[noreturn]] static void Refused(const TRegManager& m, const std::string& section) {
        const std::string target = m.RegType == rtIni ? m.IniFileName : Key(m, section);
        throw ERegManagerError(target + " に書き込めません");
    }
};

std::string TRegFiler::ReadValue(const std::string& section, const std::string& ident,
                                 const std::string& def) {
    if (section.empty() || ident.empty() || !BackEnd::Available(fManager)) {
        return def;
    }
    if (fManager.RegType == rtIni) {
        return fManager.Profiles().ReadString(fManager.IniFileName, section, ident, def);
    }
    return fManager.Registry().ReadString(BackEnd::Key(fManager, section), ident).value_or(def);
}

void TRegFiler::WriteValue(const std::string& section, const std::string& ident,
                           const std::string& value) {
    if (section.empty() || ident.empty() || !BackEnd::Available(fManager)) {
        return;
    }
    const bool written =
        fManager.RegType == rtIni
            ? fManager.Profiles().WriteString(fManager.IniFileName, section, ident, value)
            : fManager.Registry().WriteString(BackEnd::Key(fManager, section), ident, value);
    if (!written) {
        BackEnd::Refused(fManager, section);
    }
}

void TRegFiler::DeleteKey(const std::string& section, const std::string& ident) {
    if (section.empty() || ident.empty() || !BackEnd::Available(fManager)) {
        return;
    }
    const bool deleted =
        fManager.RegType == rtIni
            ? fManager.Profiles().DeleteIdent(fManager.IniFileName, section, ident)
            : fManager.Registry().DeleteValue(BackEnd::Key(fManager, section), ident);
    if (!deleted) {
        BackEnd::Refused(fManager, section);
    }
}

bool TRegFiler::ReadBool() {
    if (!CurrentItem) {
        return false;
    }
    const std::string& def = CurrentItem->DefaultValue;
    const bool defTrue = def == "1" || platform::EqualsIgnoreCase(def, "TRUE") ||
                         platform::EqualsIgnoreCase(def, "YES");
    const int value =
        IntegerOr0(ReadValue(CurrentItem->Section, CurrentItem->Ident, defTrue ? "1" : "0"));
    return (value & 0xFF) != 0;
}

void TRegFiler::WriteBool(bool value) {
    WriteString(value ? "1" : "0");
}

int TRegFiler::ReadInteger() {
    return CurrentItem ? IntegerOr0(ReadString()) : 0;
}

void TRegFiler::WriteInteger(int value) {
    WriteString(std::to_string(value));
}

std::string TRegFiler::ReadString() {
    if (!CurrentItem) {
        return {};
    }
    return ReadValue(CurrentItem->Section, CurrentItem->Ident, CurrentItem->DefaultValue);
}

void TRegFiler::WriteString(const std::string& value) {
    if (CurrentItem) {
        WriteValue(CurrentItem->Section, CurrentItem->Ident, value);
    }
}

void TRegFiler::WriteFloat(double value) {
    WriteString(FormatGeneralFloat(value, DecimalSeparator()));
}

void TRegFiler::ReadFont(FontData& font) {
    if (!CurrentItem) {
        return;
    }
    const std::string& s = CurrentItem->Section;
    const std::string& i = CurrentItem->Ident;
    // Each part is read with the font's current value as default and applied at once.
    font.Name = ReadValue(s, i + "_FontName", font.Name);
    font.Size =
        ParseInteger(ReadValue(s, i + "_FontSize", std::to_string(font.Size))).value_or(font.Size);
    font.Color = TextToColor(ReadValue(s, i + "_FontColor", ColorToText(font.Color)));
    font.Style = IntegerOr0(ReadValue(s, i + "_FontStyle", std::to_string(font.Style)));
    font.Charset = IntegerOr0(ReadValue(s, i + "_FontCharset", std::to_string(font.Charset)));
}

void TRegFiler::WriteFont(const FontData& font) {
    if (!CurrentItem) {
        return;
    }
    const std::string& s = CurrentItem->Section;
    const std::string& i = CurrentItem->Ident;
    WriteValue(s, i + "_FontName", font.Name);
    WriteValue(s, i + "_FontSize", std::to_string(font.Size));
    WriteValue(s, i + "_FontColor", ColorToText(font.Color));
    WriteValue(s, i + "_FontStyle", std::to_string(font.Style));
    WriteValue(s, i + "_FontCharset", std::to_string(font.Charset));
}

void TRegFiler::ReadStrings(std::vector<std::string>& list) {
    if (!CurrentItem) {
        return;
    }
    const std::string& s = CurrentItem->Section;
    const std::string& i = CurrentItem->Ident;
    list.clear();
    const int n = IntegerOr0(ReadValue(s, i + "_ItemCount", "0"));
    for (int k = 0; k < n; ++k) {
        list.push_back(ReadValue(s, i + "_Item" + std::to_string(k), ""));
    }
}

// Stores `lines` as a counted list of idents: stale idents beyond the new count are deleted
// from the highest down, and the count goes too when the list is empty.
static void WriteCountedLines(TRegFiler& filer, const std::string& s, const std::string& countIdent,
                              const std::string& lineIdent, const std::vector<std::string>& lines) {
    const int c = static_cast<int>(lines.size());
    const int n = IntegerOr0(filer.ReadValue(s, countIdent, "0"));
    if (c < n) {
        for (int k = n - 1; k >= c; --k) {
            filer.DeleteKey(s, lineIdent + std::to_string(k));
        }
        if (c == 0) {
            filer.DeleteKey(s, countIdent);
        }
    }
    if (c > 0) {
        filer.WriteValue(s, countIdent, std::to_string(c));
        for (int k = 0; k < c; ++k) {
            filer.WriteValue(s, lineIdent + std::to_string(k), lines[static_cast<size_t>(k)]);
        }
    }
}

void TRegFiler::WriteStrings(const std::vector<std::string>& list) {
    if (CurrentItem) {
        WriteCountedLines(*this, CurrentItem->Section, CurrentItem->Ident + "_ItemCount",
                          CurrentItem->Ident + "_Item", list);
    }
}

void TRegFiler::ReadStream(std::string& stream) {
    if (!CurrentItem) {
        return;
    }
    const std::string& s = CurrentItem->Section;
    const std::string& i = CurrentItem->Ident;
    if (fManager.RegType == rtReg) {
        if (!BackEnd::Available(fManager)) {
            return;
        }
        if (const auto bytes = fManager.Registry().ReadBinary(BackEnd::Key(fManager, s), i)) {
            stream.append(bytes->begin(), bytes->end());
        }
        return;
    }
    const int n = IntegerOr0(ReadValue(s, i + "_c", "0"));
    for (int k = 0; k < n; ++k) {
        AppendHexLine(ReadValue(s, i + "_d" + std::to_string(k), ""), stream);
    }
}

void TRegFiler::WriteStream(const std::string& stream) {
    if (!CurrentItem) {
        return;
    }
    const std::string& s = CurrentItem->Section;
    const std::string& i = CurrentItem->Ident;
    if (fManager.RegType == rtReg) {
        if (BackEnd::Available(fManager) &&
            !fManager.Registry().WriteBinary(
                BackEnd::Key(fManager, s), i,
                std::vector<std::uint8_t>(stream.begin(), stream.end()))) {
            BackEnd::Refused(fManager, s);
        }
        return;
    }
    WriteCountedLines(*this, s, i + "_c", i + "_d", BytesToHexLines(stream, kHexLineLength));
}

void TRegFiler::WriteComponent(SerializableComponent* component) {
    if (!component || !CurrentItem || component->IsForm()) {
        return;
    }
    WriteStream(SaveComponent(*component));
}

void TRegFiler::ReadControl(SerializableComponent* control) {
    if (!control || !CurrentItem) {
        return;
    }
    std::string stream;
    ReadStream(stream);
    if (!stream.empty()) {
        LoadComponent(*control, stream);
    }
}

}  // namespace korvent::settings
