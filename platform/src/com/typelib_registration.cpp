// RegisterTypeLib and UnRegisterTypeLib over HKEY_CLASSES_ROOT\TypeLib.
#include <cwchar>
#include <string>

#include "platform/combaseapi.h"
#include "platform/src/registry/name_compare.h"
#include "platform/support/bstr.h"
#include "platform/support/com_error.h"
#include "platform/support/reg_key.h"
#include "platform/typelibapi.h"

namespace {

std::u16string hex(DWORD value) {
  static const char kDigits[] = "0123456789abcdef";
  std::u16string out;
  do {
    out.insert(out.begin(), static_cast<char16_t>(kDigits[value & 0xF]));
    value >>= 4;
  } while (value);
  return out;
}

std::u16string decimal(DWORD value) {
  std::u16string out;
  do {
    out.insert(out.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value);
  return out;
}

const char16_t* platform_key(SYSKIND kind) {
  switch (kind) {
    case SYS_WIN16: return u"win16";
    case SYS_WIN32: return u"win32";
    case SYS_MAC: return u"mac";
    case SYS_WIN64: return u"win64";
  }
  return nullptr;
}

std::u16string libid_key(REFGUID libid) {
  OLECHAR text[CHARS_IN_GUID];
  StringFromGUID2(libid, text, CHARS_IN_GUID);
  return std::u16string(u"TypeLib\\") + text;
}

std::u16string version_name(WORD major, WORD minor) { return hex(major) + u"." + hex(minor); }

std::u16string folder_of(std::u16string_view path) {
  const std::size_t cut = path.find_last_of(u"\\/");
  return cut == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(0, cut));
}

bool is_version_value_key(std::u16string_view name) {
  return platform::registry::same_name(name, u"FLAGS") || platform::registry::same_name(name, u"HELPDIR");
}

// Subkeys of `key`, leaving out those `skip` names.
template <class Skip>
DWORD count_subkeys(HKEY key, Skip&& skip) {
  DWORD count = 0;
  WCHAR name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = 256;
    if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (!skip(std::u16string_view(name, length))) ++count;
  }
  return count;
}

}  // namespace

STDAPI RegisterTypeLib(ITypeLib* ptlib, LPCOLESTR szFullPath, LPCOLESTR szHelpDir) {
  if (!ptlib || !szFullPath) return E_INVALIDARG;
  return platform::com_boundary([&]() -> HRESULT {
    TLIBATTR* attr = nullptr;
    HRESULT hr = ptlib->GetLibAttr(&attr);
    if (FAILED(hr)) return hr;
    const TLIBATTR lib = *attr;
    ptlib->ReleaseTLibAttr(attr);
    platform::Bstr name_text;
    hr = ptlib->GetDocumentation(-1, name_text.put(), nullptr, nullptr, nullptr);
    if (FAILED(hr)) return hr;
    const std::u16string name(name_text.view());
    const char16_t* kind = platform_key(lib.syskind);
    if (!kind) return E_INVALIDARG;

    platform::RegKey version;
    const std::u16string path = libid_key(lib.guid) + u"\\" + version_name(lib.wMajorVerNum, lib.wMinorVerNum);
    if (version.create(HKEY_CLASSES_ROOT, path, KEY_ALL_ACCESS) != ERROR_SUCCESS) return TYPE_E_REGISTRYACCESS;
    platform::RegKey flags, help, win;
    const std::u16string help_dir = szHelpDir ? std::u16string(szHelpDir) : folder_of(szFullPath);
    const bool written = version.set_string(u"", name) == ERROR_SUCCESS &&
                         flags.create(version.get(), u"FLAGS") == ERROR_SUCCESS &&
                         flags.set_string(u"", decimal(lib.wLibFlags)) == ERROR_SUCCESS &&
                         help.create(version.get(), u"HELPDIR") == ERROR_SUCCESS &&
                         help.set_string(u"", help_dir) == ERROR_SUCCESS &&
                         win.create(version.get(), hex(lib.lcid) + u"\\" + kind) == ERROR_SUCCESS &&
                         win.set_string(u"", szFullPath) == ERROR_SUCCESS;
    return written ? S_OK : TYPE_E_REGISTRYACCESS;
  });
}

STDAPI UnRegisterTypeLib(REFGUID libID, WORD wVerMajor, WORD wVerMinor, LCID lcid, SYSKIND syskind) {
  const char16_t* kind = platform_key(syskind);
  if (!kind) return E_INVALIDARG;
  return platform::com_boundary([&]() -> HRESULT {
    platform::RegKey lib;
    if (lib.open(HKEY_CLASSES_ROOT, libid_key(libID), KEY_ALL_ACCESS) != ERROR_SUCCESS) return TYPE_E_REGISTRYACCESS;
    const std::u16string version_key = version_name(wVerMajor, wVerMinor);
    platform::RegKey version;
    if (version.open(lib.get(), version_key, KEY_ALL_ACCESS) != ERROR_SUCCESS) return TYPE_E_REGISTRYACCESS;
    const std::u16string locale_key = hex(lcid);
    if (RegDeleteKeyW(version.get(), (locale_key + u"\\" + kind).c_str()) != ERROR_SUCCESS)
      return TYPE_E_REGISTRYACCESS;

    // Then whatever that leaves empty: the locale, the version, the library.
    platform::RegKey locale;
    if (locale.open(version.get(), locale_key, KEY_READ) == ERROR_SUCCESS &&
        count_subkeys(locale.get(), [](std::u16string_view) { return false; }) == 0) {
      locale.close();
      (void)RegDeleteKeyW(version.get(), locale_key.c_str());
    }
    if (count_subkeys(version.get(), is_version_value_key) == 0) {
      version.close();
      if (RegDeleteTreeW(lib.get(), version_key.c_str()) != ERROR_SUCCESS) return TYPE_E_REGISTRYACCESS;
    }
    if (count_subkeys(lib.get(), [](std::u16string_view) { return false; }) == 0) {
      lib.close();
      if (RegDeleteKeyW(HKEY_CLASSES_ROOT, libid_key(libID).c_str()) != ERROR_SUCCESS) return TYPE_E_REGISTRYACCESS;
    }
    return S_OK;
  });
}
