// The attachment resolver: for each item, in order, the file that stands for it and the turns
// it needs. A file item stands for itself; the walk ends at the first item without a path.
#include <string>
#include <vector>

#include "host/attachment_resolver.h"
#include "platform/support/bstr.h"
#include "platform/support/com_object.h"
#include "suite/host/suite_objects.h"

namespace suite {
namespace {

struct Entry {
  std::u16string path;
  LONG rotation = 0;
};

// Elements of a one-dimensional SAFEARRAY held by `v` (directly or by reference), read as `T`.
template <class T, class Read>
HRESULT read_array(const VARIANT& v, VARTYPE element, std::vector<T>& out, Read read) {
  SAFEARRAY* array = nullptr;
  if (v.vt == (VT_ARRAY | element)) array = v.parray;
  else if (v.vt == (VT_ARRAY | element | VT_BYREF) && v.pparray) array = *v.pparray;
  if (!array || SafeArrayGetDim(array) != 1) return E_INVALIDARG;
  LONG low = 0, high = -1;
  if (FAILED(SafeArrayGetLBound(array, 1, &low)) || FAILED(SafeArrayGetUBound(array, 1, &high))) return E_INVALIDARG;
  for (LONG i = low; i <= high; ++i) {
    const HRESULT hr = read(array, i, out);
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

class AttachmentResolver final : public platform::ComObject<AttachmentResolver, IAttachmentResolver> {
 public:
  STDMETHODIMP SetItems(VARIANT paths, VARIANT orientations) override {
    return platform::com_boundary([&]() -> HRESULT {
      std::vector<std::u16string> texts;
      HRESULT hr = read_array(paths, VT_BSTR, texts, [](SAFEARRAY* a, LONG i, std::vector<std::u16string>& out) {
        BSTR b = nullptr;
        const HRESULT got = SafeArrayGetElement(a, &i, &b);
        if (SUCCEEDED(got)) out.emplace_back(b ? std::u16string(b, SysStringLen(b)) : std::u16string());
        SysFreeString(b);
        return got;
      });
      if (FAILED(hr)) return hr;
      std::vector<LONG> turns;
      hr = read_array(orientations, VT_I4, turns, [](SAFEARRAY* a, LONG i, std::vector<LONG>& out) {
        LONG value = 0;
        const HRESULT got = SafeArrayGetElement(a, &i, &value);
        if (SUCCEEDED(got)) out.push_back(value);
        return got;
      });
      if (FAILED(hr)) return hr;
      if (turns.size() != texts.size()) return E_INVALIDARG;
      entries_.clear();
      for (std::size_t i = 0; i < texts.size(); ++i) entries_.push_back({std::move(texts[i]), ((turns[i] % 4) + 4) % 4});
      next_ = 0;
      return S_OK;
    });
  }

  STDMETHODIMP Next(BSTR* source_path, BSTR* file_path, LONG* rotation) override {
    if (!source_path || !file_path || !rotation) return E_POINTER;
    *source_path = nullptr;
    *file_path = nullptr;
    *rotation = 0;
    if (next_ >= entries_.size() || entries_[next_].path.empty()) return S_FALSE;
    return platform::com_boundary([&]() -> HRESULT {
      const Entry& entry = entries_[next_];
      platform::Bstr source(entry.path), file(entry.path);
      *source_path = source.detach();
      *file_path = file.detach();
      *rotation = entry.rotation;
      ++next_;
      return S_OK;
    });
  }

 private:
  std::vector<Entry> entries_;
  std::size_t next_ = 0;
};

}  // namespace

HRESULT create_attachment_resolver(const std::shared_ptr<SuiteState>&, REFIID riid, void** ppv) {
  return platform::create_com<AttachmentResolver>(riid, ppv);
}

}  // namespace suite
