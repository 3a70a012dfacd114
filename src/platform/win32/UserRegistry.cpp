#include "platform/win32/UserRegistry.h"

#include <windows.h>

#include "platform/win32/Utf16.h"

namespace korvent::platform {
namespace {

// One open key, closed when it goes.
class Key {
public:
    Key(const std::string& path, bool create) {
        const std::wstring wide = ToUtf16(path);
        const LONG rc =
            create ? RegCreateKeyExW(HKEY_CURRENT_USER, wide.c_str(), 0, nullptr, 0,
                                     KEY_READ | KEY_WRITE, nullptr, &fKey, nullptr)
                   : RegOpenKeyExW(HKEY_CURRENT_USER, wide.c_str(), 0, KEY_READ | KEY_WRITE, &fKey);
        if (rc != ERROR_SUCCESS) {
            fKey = nullptr;
        }
    }
    ~Key() {
        if (fKey) {
            RegCloseKey(fKey);
        }
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    // The value's bytes when it exists with the wanted type.
    std::optional<std::vector<std::uint8_t>> Read(const std::string& name, DWORD wantedType) {
        if (!fKey) {
            return std::nullopt;
        }
        const std::wstring wide = ToUtf16(name);
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(fKey, wide.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            type != wantedType) {
            return std::nullopt;
        }
        std::vector<std::uint8_t> bytes(size);
        if (RegQueryValueExW(fKey, wide.c_str(), nullptr, &type, bytes.data(), &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        bytes.resize(size);
        return bytes;
    }

    bool Write(const std::string& name, DWORD type, const void* data, std::size_t size) {
        return fKey &&
               RegSetValueExW(fKey, ToUtf16(name).c_str(), 0, type, static_cast<const BYTE*>(data),
                              static_cast<DWORD>(size)) == ERROR_SUCCESS;
    }

    bool Delete(const std::string& name) {
        if (!fKey) {
            return true;
        }
        const LONG rc = RegDeleteValueW(fKey, ToUtf16(name).c_str());
        return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
    }

private:
    HKEY fKey = nullptr;
};

}  // namespace

std::optional<std::string> UserRegistry::ReadString(const std::string& key,
                                                    const std::string& name) {
    const auto bytes = Key(key, false).Read(name, REG_SZ);
    if (!bytes) {
        return std::nullopt;
    }
    std::wstring text(bytes->size() / sizeof(wchar_t), L'\0');
    std::copy(bytes->begin(), bytes->begin() + static_cast<std::ptrdiff_t>(text.size() * 2),
              reinterpret_cast<std::uint8_t*>(text.data()));
    // A stored string may or may not carry its terminating zero.
    text.resize(std::wcslen(text.c_str()));
    return FromUtf16(text);
}

bool UserRegistry::WriteString(const std::string& key, const std::string& name,
                               const std::string& value) {
    const std::wstring wide = ToUtf16(value);
    return Key(key, true).Write(name, REG_SZ, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
}

std::optional<std::vector<std::uint8_t>> UserRegistry::ReadBinary(const std::string& key,
                                                                  const std::string& name) {
    return Key(key, false).Read(name, REG_BINARY);
}

bool UserRegistry::WriteBinary(const std::string& key, const std::string& name,
                               const std::vector<std::uint8_t>& value) {
    return Key(key, true).Write(name, REG_BINARY, value.data(), value.size());
}

bool UserRegistry::DeleteValue(const std::string& key, const std::string& name) {
    return Key(key, false).Delete(name);
}

}  // namespace korvent::platform
