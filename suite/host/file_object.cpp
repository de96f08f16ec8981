// IFileObject: a file or folder named by a host path, answered from the file system through
// the platform's Win32 file functions.
#include <string>

#include "host/media_services.h"
#include "platform/errhandlingapi.h"
#include "platform/fileapi.h"
#include "platform/support/bstr.h"
#include "platform/support/com_object.h"
#include "suite/host/host_paths.h"
#include "suite/host/suite_objects.h"

namespace suite {
namespace {

// The host's kinds of file objects.
constexpr LONG kKindFile = 1;
constexpr LONG kKindFolder = 2;
constexpr LONG kKindNothing = 5;

class FileObject final : public platform::ComObject<FileObject, IFileObject> {
 public:
  explicit FileObject(std::u16string windows_path) : path_(std::move(windows_path)) {}

  STDMETHODIMP GetFolderPart(BSTR* folder) override {
    if (!folder) return E_POINTER;
    *folder = nullptr;
    return platform::com_boundary([&] {
      const std::size_t cut = path_.find_last_of(u"\\/");
      const std::u16string part = cut == std::u16string::npos ? std::u16string() : path_.substr(0, cut + 1);
      return platform::Bstr(with_file_protocol(part)).CopyTo(folder);
    });
  }

  STDMETHODIMP Exists(VARIANT_BOOL* exists) override {
    if (!exists) return E_POINTER;
    *exists = attributes() != INVALID_FILE_ATTRIBUTES ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }

  STDMETHODIMP GetAttributes(DWORD* attributes) override {
    if (!attributes) return E_POINTER;
    const DWORD found = this->attributes();
    *attributes = found == INVALID_FILE_ATTRIBUTES ? host::kUnusableAttribute : found;
    return S_OK;
  }

  STDMETHODIMP GetKind(LONG* kind) override {
    if (!kind) return E_POINTER;
    const DWORD found = attributes();
    *kind = found == INVALID_FILE_ATTRIBUTES ? kKindNothing : (found & FILE_ATTRIBUTE_DIRECTORY) ? kKindFolder : kKindFile;
    return S_OK;
  }

  STDMETHODIMP GetLastError(LONG* error) override {
    if (!error) return E_POINTER;
    *error = static_cast<LONG>(last_error_);
    return S_OK;
  }

  STDMETHODIMP ResolveRelativePath(BSTR relative, BSTR* resolved) override {
    if (!resolved) return E_POINTER;
    *resolved = nullptr;
    return platform::com_boundary([&] {
      std::u16string rest(strip_file_protocol(relative ? std::u16string_view(relative, SysStringLen(relative)) : u""));
      // A drive path or a share path is already complete.
      if (rest.find(u":\\") != std::u16string::npos || rest.starts_with(u"\\\\"))
        return platform::Bstr(with_file_protocol(rest)).CopyTo(resolved);
      const std::size_t cut = path_.find_last_of(u"\\/");
      std::u16string base = cut == std::u16string::npos ? std::u16string() : path_.substr(0, cut);
      // "." and ".." steps are taken against the folder; a path that climbs past the root stays at it.
      std::size_t start = 0;
      std::u16string out = base;
      while (start <= rest.size()) {
        const std::size_t end = std::min(rest.find_first_of(u"\\/", start), rest.size());
        const std::u16string step = rest.substr(start, end - start);
        if (step == u"..") {
          const std::size_t up = out.find_last_of(u"\\/");
          if (up != std::u16string::npos && up > 2) out.resize(up);
          else if (up != std::u16string::npos && out.size() > up + 1) out.resize(up + 1);
        } else if (!step.empty() && step != u".") {
          if (!out.empty() && out.back() != u'\\') out += u'\\';
          out += step;
        }
        start = end + 1;
      }
      return platform::Bstr(with_file_protocol(out)).CopyTo(resolved);
    });
  }

 private:
  DWORD attributes() {
    const DWORD found = GetFileAttributesW(path_.c_str());
    last_error_ = found == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : 0;
    return found;
  }

  std::u16string path_;
  DWORD last_error_ = 0;
};

}  // namespace

HRESULT create_file_object(std::u16string_view host_path, IFileObject** file) {
  if (!file) return E_POINTER;
  *file = nullptr;
  const std::u16string_view windows = strip_file_protocol(host_path);
  if (windows.empty()) return E_INVALIDARG;
  return platform::create_com<FileObject>(IID_IFileObject, reinterpret_cast<void**>(file), std::u16string(windows));
}

}  // namespace suite
