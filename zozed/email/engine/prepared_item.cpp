#include "zozed/email/engine/prepared_item.h"

#include <string>

#include "platform/fileapi.h"
#include "platform/support/bstr.h"
#include "platform/support/com_object.h"
#include "platform/support/module_state.h"
#include "zozed/email/engine/engine_paths.h"

namespace zozed::email {
namespace {

using platform::Bstr;
using platform::ComPtr;

HRESULT copy_text(const std::u16string& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return platform::com_boundary([&] {
    *out = Bstr(text).detach();
    return S_OK;
  });
}

std::u16string text_of(BSTR b) { return b ? std::u16string(b, SysStringLen(b)) : std::u16string(); }

class PreparedItem final : public platform::ComObject<PreparedItem, IMediaItem, IMediaItemExtra> {
 public:
  explicit PreparedItem(std::u16string_view file_path)
      : path_(FileProtocolPath(file_path)), query_path_(path_), display_name_(FileNameOf(path_)) {
    platform::this_module().lock();
  }
  ~PreparedItem() override { platform::this_module().unlock(); }

  // IMediaItem: forwarded to the source item when one is attached.
  STDMETHODIMP GetPath(BSTR* path) override { return source_ ? source_->GetPath(path) : copy_text(path_, path); }
  STDMETHODIMP QueryPath(BSTR* path) override {
    return source_ ? source_->QueryPath(path) : copy_text(query_path_, path);
  }
  STDMETHODIMP GetDocument(IOpenDocument** document) override {
    if (source_) return source_->GetDocument(document);
    if (!document) return E_POINTER;
    *document = nullptr;
    if (!document_) return S_FALSE;
    return document_.CopyTo(document);
  }
  STDMETHODIMP GetStringProperty(BSTR* value) override {
    return source_ ? source_->GetStringProperty(value) : copy_text(string_property_, value);
  }
  STDMETHODIMP SetStringProperty(BSTR value) override {
    if (source_) return source_->SetStringProperty(value);
    return platform::com_boundary([&] {
      string_property_ = text_of(value);
      return S_OK;
    });
  }
  STDMETHODIMP GetDisplayName(BSTR* name) override {
    return source_ ? source_->GetDisplayName(name) : copy_text(display_name_, name);
  }
  STDMETHODIMP GetOrientation(LONG* quarter_turns) override {
    if (source_) return source_->GetOrientation(quarter_turns);
    if (!quarter_turns) return E_POINTER;
    *quarter_turns = orientation_;
    return S_OK;
  }

  // IMediaItemExtra
  STDMETHODIMP put_EngineMade(VARIANT_BOOL made) override {
    engine_made_ = made;
    return S_OK;
  }
  STDMETHODIMP get_EngineMade(VARIANT_BOOL* made) override { return answer(engine_made_, made); }
  // Kept as the object's identity, so that it can be compared without touching the object later.
  STDMETHODIMP put_OriginItem(IUnknown* origin) override {
    IUnknown* identity = nullptr;
    if (origin && SUCCEEDED(origin->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity))))
      identity->Release();
    origin_ = identity;
    return S_OK;
  }
  STDMETHODIMP get_OriginItem(IUnknown** origin) override { return answer(origin_, origin); }
  STDMETHODIMP SetSourceItem(IUnknown* source) override {
    if (!source) return E_INVALIDARG;
    ComPtr<IMediaItem> item;
    const HRESULT hr = source->QueryInterface(IID_IMediaItem, item.put_void());
    if (FAILED(hr)) return hr;
    source_ = std::move(item);
    return S_OK;
  }
  STDMETHODIMP SetTempFile(BSTR path) override {
    return platform::com_boundary([&] {
      temp_file_ = text_of(path);
      return S_OK;
    });
  }
  STDMETHODIMP GetTempFile(BSTR* path) override { return copy_text(temp_file_, path); }
  STDMETHODIMP put_DeleteAllowed(VARIANT_BOOL allowed) override {
    delete_allowed_ = allowed;
    return S_OK;
  }
  STDMETHODIMP get_DeleteAllowed(VARIANT_BOOL* allowed) override { return answer(delete_allowed_, allowed); }
  STDMETHODIMP DeleteTempFile() override {
    return platform::com_boundary([&] {
      HRESULT hr = S_OK;
      if (delete_allowed_ != VARIANT_FALSE && !temp_file_.empty()) {
        const std::u16string file = PlainPath(temp_file_);
        const DWORD attributes = GetFileAttributesW(file.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
          (void)SetFileAttributesW(file.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
        hr = DeleteFileW(file.c_str()) ? S_OK : S_FALSE;
      }
      temp_file_.clear();
      return hr;
    });
  }
  STDMETHODIMP IsEmpty(VARIANT_BOOL* empty) override { return answer<VARIANT_BOOL>(source_ ? VARIANT_FALSE : VARIANT_TRUE, empty); }

 private:
  template <class T>
  static HRESULT answer(T value, T* out) {
    if (!out) return E_POINTER;
    *out = value;
    return S_OK;
  }

  std::u16string path_;
  std::u16string query_path_;
  ComPtr<IOpenDocument> document_;
  std::u16string string_property_;
  std::u16string display_name_;
  LONG orientation_ = 0;
  VARIANT_BOOL engine_made_ = VARIANT_TRUE;
  VARIANT_BOOL delete_allowed_ = VARIANT_TRUE;
  IUnknown* origin_ = nullptr;  // not counted: the selected item outlives its prepared copies
  ComPtr<IMediaItem> source_;
  std::u16string temp_file_;
};

}  // namespace

platform::ComPtr<IMediaItem> MakePreparedItem(std::u16string_view file_path) {
  auto item = platform::make_com_or_throw<PreparedItem>(file_path);
  return item.As<IMediaItem>();
}

}  // namespace zozed::email
