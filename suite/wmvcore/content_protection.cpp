// WMIsContentProtected: a file counts as protected when its ASF header holds a content
// encryption object, in either of the two forms the format defines.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/errhandlingapi.h"
#include "platform/fileapi.h"
#include "platform/handleapi.h"
#include "platform/winerror.h"
#include "suite/wmvcore/asf_header.h"

namespace {

// The runtime's answer for content that is not in a format it knows.
constexpr HRESULT NS_E_INVALID_INPUT_FORMAT = static_cast<HRESULT>(0xC00D0BBDu);

class File {
 public:
  explicit File(const WCHAR* path)
      : handle_(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr)) {}
  ~File() {
    if (is_open()) CloseHandle(handle_);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  bool is_open() const { return handle_ != INVALID_HANDLE_VALUE; }

  // Reads up to `wanted` bytes from the current position; fewer at the end of the file.
  bool read(std::vector<std::uint8_t>& into, std::size_t wanted) {
    const std::size_t start = into.size();
    into.resize(start + wanted);
    DWORD got = 0;
    if (!ReadFile(handle_, into.data() + start, static_cast<DWORD>(wanted), &got, nullptr)) return false;
    into.resize(start + got);
    return true;
  }

 private:
  HANDLE handle_;
};

HRESULT last_error_result() {
  const DWORD error = GetLastError();
  return error == 0 ? E_FAIL : HRESULT_FROM_WIN32(static_cast<LONG>(error));
}

bool is_encryption_object(const GUID& id) {
  return id == wmvcore::ASF_Content_Encryption_Object || id == wmvcore::ASF_Extended_Content_Encryption_Object;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) HRESULT WINAPI WMIsContentProtected(const WCHAR* pwszFileName,
                                                                                        BOOL* pfIsProtected) {
  if (!pfIsProtected) return E_POINTER;
  *pfIsProtected = FALSE;
  if (!pwszFileName || !*pwszFileName) return E_INVALIDARG;
  try {
    File file(pwszFileName);
    if (!file.is_open()) return last_error_result();
    std::vector<std::uint8_t> header;
    if (!file.read(header, wmvcore::kHeaderObjectFixedSize)) return last_error_result();
    std::uint64_t size = 0;
    if (wmvcore::header_size(header, &size) != wmvcore::HeaderVerdict::kParsed) return NS_E_INVALID_INPUT_FORMAT;
    if (!file.read(header, static_cast<std::size_t>(size) - header.size())) return last_error_result();
    std::vector<GUID> objects;
    if (wmvcore::header_objects(header, &objects) != wmvcore::HeaderVerdict::kParsed)
      return NS_E_INVALID_INPUT_FORMAT;
    *pfIsProtected = std::any_of(objects.begin(), objects.end(), is_encryption_object) ? TRUE : FALSE;
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}
