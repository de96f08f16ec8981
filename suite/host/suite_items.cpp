// IMediaItem for files and for slide shows open in the suite, and IOpenDocument for the latter.
#include "suite/host/suite_items.h"

#include <optional>
#include <string>

#include "platform/support/bstr.h"
#include "platform/support/com_object.h"
#include "platform/support/com_ptr.h"
#include "suite/host/host_paths.h"
#include "suite/media/orientation.h"

namespace suite {
namespace {

// The storage error a document that cannot be written answers, as on Windows.
constexpr HRESULT STG_E_CANTSAVE = static_cast<HRESULT>(0x80030103u);

using platform::Bstr;
using platform::ComPtr;

std::u16string_view view_of(BSTR b) { return b ? std::u16string_view(b, SysStringLen(b)) : std::u16string_view(); }

class OpenDocument final : public platform::ComObject<OpenDocument, IOpenDocument> {
 public:
  OpenDocument(std::u16string path, DmspDocument document, bool modified)
      : path_(std::move(path)), document_(std::move(document)), modified_(modified) {}

  STDMETHODIMP GetPath(BSTR* path) override {
    if (!path) return E_POINTER;
    *path = nullptr;
    return platform::com_boundary([&] { return Bstr(path_.empty() ? path_ : with_file_protocol(path_)).CopyTo(path); });
  }

  STDMETHODIMP GetModified(VARIANT_BOOL* modified) override {
    if (!modified) return E_POINTER;
    *modified = modified_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }

  // The document keeps its own path and modified flag: this is a copy, not "Save As".
  STDMETHODIMP SaveTo(BSTR path) override {
    return platform::com_boundary([&]() -> HRESULT {
      const auto posix = posix_of_host_path(view_of(path));
      if (!posix) return E_INVALIDARG;
      try {
        write_dmsp(*posix, document_);
      } catch (const std::runtime_error&) {
        return STG_E_CANTSAVE;
      }
      return S_OK;
    });
  }

 private:
  std::u16string path_;
  DmspDocument document_;
  bool modified_;
};

class SuiteItem final : public platform::ComObject<SuiteItem, IMediaItem> {
 public:
  SuiteItem(std::u16string path, ComPtr<IOpenDocument> document) : path_(std::move(path)), document_(std::move(document)) {}

  STDMETHODIMP GetPath(BSTR* path) override { return copy_path(path); }
  STDMETHODIMP QueryPath(BSTR* path) override { return copy_path(path); }

  STDMETHODIMP GetDocument(IOpenDocument** document) override {
    if (!document) return E_POINTER;
    *document = document_.copy().detach();
    return *document ? S_OK : S_FALSE;
  }

  STDMETHODIMP GetStringProperty(BSTR* value) override {
    if (!value) return E_POINTER;
    *value = nullptr;
    return platform::com_boundary([&] { return Bstr(property_).CopyTo(value); });
  }

  STDMETHODIMP SetStringProperty(BSTR value) override {
    return platform::com_boundary([&] {
      property_ = std::u16string(view_of(value));
      return S_OK;
    });
  }

  STDMETHODIMP GetDisplayName(BSTR* name) override {
    if (!name) return E_POINTER;
    *name = nullptr;
    return platform::com_boundary([&] {
      const std::size_t cut = path_.find_last_of(u"\\/");
      return Bstr(cut == std::u16string::npos ? path_ : path_.substr(cut + 1)).CopyTo(name);
    });
  }

  // Read from the picture on first asking, so that listing items decodes nothing.
  STDMETHODIMP GetOrientation(LONG* quarter_turns) override {
    if (!quarter_turns) return E_POINTER;
    *quarter_turns = 0;
    return platform::com_boundary([&] {
      if (!orientation_) {
        const auto posix = document_ ? std::nullopt : posix_of_host_path(path_);
        orientation_ = posix ? suite::media::picture_quarter_turns(*posix) : 0;
      }
      *quarter_turns = *orientation_;
      return S_OK;
    });
  }

 private:
  HRESULT copy_path(BSTR* path) {
    if (!path) return E_POINTER;
    *path = nullptr;
    return platform::com_boundary([&] { return Bstr(path_.empty() ? path_ : with_file_protocol(path_)).CopyTo(path); });
  }

  std::u16string path_;  // Windows path, without the protocol prefix
  ComPtr<IOpenDocument> document_;
  std::u16string property_;
  std::optional<LONG> orientation_;
};

}  // namespace

HRESULT create_file_item(std::u16string_view host_path, IMediaItem** item) {
  if (!item) return E_POINTER;
  *item = nullptr;
  const std::u16string_view windows = strip_file_protocol(host_path);
  if (windows.empty()) return E_INVALIDARG;
  return platform::create_com<SuiteItem>(IID_IMediaItem, reinterpret_cast<void**>(item), std::u16string(windows),
                                         ComPtr<IOpenDocument>());
}

HRESULT create_document_item(std::u16string_view host_path, DmspDocument document, bool modified, IMediaItem** item) {
  if (!item) return E_POINTER;
  *item = nullptr;
  return platform::com_boundary([&]() -> HRESULT {
    const std::u16string windows(strip_file_protocol(host_path));
    ComPtr<OpenDocument> open;
    HRESULT hr = platform::make_com(open, windows, std::move(document), modified);
    if (FAILED(hr)) return hr;
    ComPtr<IOpenDocument> as_document;
    hr = open->QueryInterface(IID_IOpenDocument, as_document.put_void());
    if (FAILED(hr)) return hr;
    return platform::create_com<SuiteItem>(IID_IMediaItem, reinterpret_cast<void**>(item), windows, std::move(as_document));
  });
}

}  // namespace suite
