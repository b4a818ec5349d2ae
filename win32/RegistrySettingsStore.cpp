#include "win32/RegistrySettingsStore.h"

#include <windows.h>

#include <vector>

#include "win32/WinText.h"

namespace vw::win32 {

namespace {

std::wstring KeyPath(const std::string& app, const std::string& section) {
  return L"Software\\VB and VBA Program Settings\\" + Widen(app) + L"\\" + Widen(section);
}

}  // namespace

std::string RegistrySettingsStore::Read(const std::string& app, const std::string& section,
                                        const std::string& key) const {
  HKEY hkey = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, KEY_QUERY_VALUE,
                    &hkey) != ERROR_SUCCESS) {
    return {};
  }
  std::wstring name = Widen(key);
  std::string result;
  DWORD type = 0, bytes = 0;
  // Only string values count; anything else was not written by this program and reads as
  // absent, so its default takes over.
  if (RegQueryValueExW(hkey, name.c_str(), nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ) && bytes <= 1024 * 1024) {
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(hkey, name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) == ERROR_SUCCESS) {
      std::size_t chars = size / sizeof(wchar_t);
      while (chars > 0 && buffer[chars - 1] == L'\0') --chars;
      result = Narrow(std::wstring_view(buffer.data(), chars));
    }
  }
  RegCloseKey(hkey);
  return result;
}

bool RegistrySettingsStore::Write(const std::string& app, const std::string& section,
                                  const std::string& key, const std::string& value) {
  HKEY hkey = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &hkey, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  std::wstring data = Widen(value);
  LONG rc = RegSetValueExW(hkey, Widen(key).c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(data.c_str()),
                           static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(hkey);
  return rc == ERROR_SUCCESS;
}

}  // namespace vw::win32
