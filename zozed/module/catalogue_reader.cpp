#include "zozed/module/catalogue_reader.h"

#include <algorithm>
#include <cstring>

#include "platform/combaseapi.h"
#include "platform/wide_crt.h"
#include "platform/winnls.h"
#include "platform/winreg.h"

namespace zozed {
namespace {

// Key names and string values are read into buffers of this many bytes; a longer value is
// left at its default.
constexpr DWORD kBufferBytes = 520;

class OpenKey {
 public:
  OpenKey() = default;
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  ~OpenKey() {
    if (key_) RegCloseKey(key_);
  }
  HKEY* put() noexcept { return &key_; }
  HKEY get() const noexcept { return key_; }

 private:
  HKEY key_ = nullptr;
};

// The value's bytes as ANSI text, whatever its registry type: a DWORD's four bytes included.
void read_string(HKEY key, const char* name, std::u16string& out) {
  char buffer[kBufferBytes] = {};
  DWORD size = kBufferBytes;
  if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
    return;
  const std::string_view bytes(buffer, std::min(size, kBufferBytes));
  out = platform::widen(bytes.substr(0, bytes.find('\0')), CP_ACP);
}

// Four bytes over the current value, whatever the registry type: shorter data replaces only
// its own bytes, longer data leaves the value alone.
template <class Int>
void read_dword(HKEY key, const char* name, Int& out) {
  static_assert(sizeof(Int) == sizeof(DWORD));
  DWORD value = 0;
  std::memcpy(&value, &out, sizeof value);
  DWORD size = sizeof value;
  if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS)
    std::memcpy(&out, &value, sizeof value);
}

void read_values(HKEY key, ComponentRecord& record) {
  read_string(key, "Type", record.type);
  read_string(key, "URL", record.url);
  read_string(key, "SubManager", record.sub_manager);
  CLSID clsid = CLSID_NULL;
  if (SUCCEEDED(CLSIDFromString(record.sub_manager.c_str(), &clsid))) record.sub_manager_clsid = clsid;
  read_string(key, "Activity Pane", record.activity_pane);
  read_string(key, "Toolbar", record.toolbar);
  read_string(key, "Category", record.category);
  read_string(key, "Server", record.server);
  read_string(key, "ComponentOptions", record.component_options);
  read_dword(key, "Name", record.name_id);
  read_dword(key, "ToolTip", record.tooltip_id);
  read_dword(key, "File Category", record.file_category_id);
  read_dword(key, "Image", record.image_id);
  std::u16string stack;
  read_string(key, "IsActivityPaneStack", stack);
  record.is_activity_pane_stack = _wcsicmp(stack.c_str(), u"True") == 0;
  read_dword(key, "Priority", record.priority);
  read_dword(key, "Glyph Number", record.glyph_number);
  read_string(key, "Glyph Entry", record.glyph_entry);
  read_string(key, "Cfg Dir Ref", record.cfg_dir_ref);
}

}  // namespace

void read_catalogue(ComponentCatalogue& catalogue, std::u16string_view root, std::u16string_view suffix) {
  if (suffix.empty()) return;
  std::u16string path(root);
  path += suffix;
  OpenKey catalogue_key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, catalogue_key.put()) != ERROR_SUCCESS) return;

  for (DWORD index = 0;; ++index) {
    char name[kBufferBytes];
    DWORD length = kBufferBytes;
    if (RegEnumKeyExA(catalogue_key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    ComponentRecord record;
    record.key_name = platform::widen(std::string_view(name, length), CP_ACP);
    OpenKey entry_key;
    if (RegOpenKeyExA(catalogue_key.get(), name, 0, KEY_READ, entry_key.put()) != ERROR_SUCCESS) continue;
    read_values(entry_key.get(), record);
    catalogue.merge(std::move(record));
  }
  catalogue.sort_by_priority();
}

void load_catalogue(ComponentCatalogue& catalogue, const CatalogueRoots& roots, std::u16string_view suffix) {
  if (!roots) return;
  for (int index = 0; index < kMaxCatalogueRoots; ++index) {
    const std::u16string root = roots(index);
    if (root.empty()) break;
    read_catalogue(catalogue, root, suffix);
  }
}

}  // namespace zozed
