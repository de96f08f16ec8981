// The suite's media services: the shutdown listeners, file objects, and pictures read,
// loaded and saved through the media library.
#include <span>
#include <string>

#include "host/image_object.h"
#include "host/media_services.h"
#include "platform/errhandlingapi.h"
#include "platform/shlobj.h"
#include "platform/support/bstr.h"
#include "platform/support/dispatch_object.h"
#include "platform/winerror.h"
#include "platform/winnls.h"
#include "suite/host/host_paths.h"
#include "suite/host/image_object.h"
#include "suite/host/suite_objects.h"
#include "suite/media/image_info.h"
#include "suite/media/media_error.h"
#include "suite/media/media_types.h"
#include "suite/media/picture.h"

namespace suite {
namespace {

using platform::ComPtr;
using platform::DispatchCall;
using platform::DispatchMember;

std::u16string_view view_of(BSTR b) { return b ? std::u16string_view(b, SysStringLen(b)) : std::u16string_view(); }

// A picture that could not be read, decoded or written: the pipeline's own failure.
constexpr HRESULT kPictureFailure = E_FAIL;

class MediaServices final : public platform::DispatchObject<MediaServices, platform::Chain<IMediaServices, IDispatch>> {
 public:
  explicit MediaServices(std::shared_ptr<SuiteState> state) : state_(std::move(state)) {}

  // A listener registered twice is kept once (S_FALSE), so that it is told only once.
  STDMETHODIMP RegisterListener(IUnknown* listener) override {
    if (!listener) return E_INVALIDARG;
    if (!state_->running) return E_UNEXPECTED;  // it would never be told
    ComPtr<IShutdownSink> sink;
    HRESULT hr = listener->QueryInterface(IID_IShutdownSink, sink.put_void());
    if (FAILED(hr)) return hr;
    ComPtr<IUnknown> identity;
    hr = listener->QueryInterface(IID_IUnknown, identity.put_void());
    if (FAILED(hr)) return hr;
    for (const auto& known : state_->listeners)
      if (known.get() == identity.get()) return S_FALSE;
    return platform::com_boundary([&] {
      state_->listeners.push_back(std::move(identity));
      return S_OK;
    });
  }

  STDMETHODIMP GetFileObject(BSTR path, IFileObject** file) override { return create_file_object(view_of(path), file); }

  STDMETHODIMP GetDefaultFolder(BSTR* folder) override {
    if (!folder) return E_POINTER;
    *folder = nullptr;
    return platform::com_boundary([&]() -> HRESULT {
      WCHAR buffer[MAX_PATH] = {};
      const HRESULT hr = SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, 0, buffer);
      if (FAILED(hr)) return hr;
      return platform::Bstr(with_file_protocol(buffer)).CopyTo(folder);
    });
  }

  // What the header tells is filled in even when the call fails, so that the media type and
  // size of a damaged picture are known.
  STDMETHODIMP GetImageInfo(BSTR path, ImageInfo* info) override {
    if (!info) return E_POINTER;
    return platform::com_boundary([&]() -> HRESULT {
      const std::u16string_view text = view_of(path);
      info->media_type = suite::media::media_type_of(text);
      const auto posix = posix_of_host_path(text);
      if (!posix) return text.empty() ? E_INVALIDARG : HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
      const suite::media::ImageInfo read = suite::media::read_image_info(*posix);
      for (std::size_t i = 0; i < read.frames.size(); ++i) info->frames[i] = {read.frames[i].width, read.frames[i].height};
      info->frame_count = read.frame_count;
      info->bits_per_pixel = read.bits_per_pixel;
      info->planes = read.planes;
      info->file_size = static_cast<ULONGLONG>(read.file_size);
      if (!read.header_error.empty()) return remember(read.header_error, kPictureFailure);
      return S_OK;
    });
  }

  STDMETHODIMP LoadImage(const MediaLoadRequest* request) override {
    if (!request) return E_POINTER;
    if (!request->target || request->load_flags != host::kLoadFlagImage) return E_INVALIDARG;
    return platform::com_boundary([&]() -> HRESULT {
      ComPtr<ISuitePicture> inner;
      if (FAILED(request->target->QueryInterface(IID_ISuitePicture, inner.put_void()))) return E_NOINTERFACE;
      const auto posix = posix_of_host_path(view_of(request->path));
      if (!posix) return unmapped(view_of(request->path));
      try {
        inner->picture().load(*posix);
      } catch (const suite::media::MediaError& e) {
        return remember(e.what(), kPictureFailure);
      }
      return S_OK;
    });
  }

  STDMETHODIMP SaveImage(IImageObject* image, BSTR path) override {
    if (!image) return E_INVALIDARG;
    return platform::com_boundary([&]() -> HRESULT {
      ComPtr<ISuitePicture> inner;
      if (FAILED(image->QueryInterface(IID_ISuitePicture, inner.put_void()))) return E_NOINTERFACE;
      const auto posix = posix_of_host_path(view_of(path));
      if (!posix) {
        inner->picture().release();  // as after any save: the next picture starts from nothing
        return unmapped(view_of(path));
      }
      try {
        inner->picture().save(*posix);
      } catch (const suite::media::MediaError& e) {
        return remember(e.what(), kPictureFailure);
      }
      return S_OK;
    });
  }

  STDMETHODIMP GetMediaType(BSTR path_or_extension, LONG* type) override {
    if (!type) return E_POINTER;
    *type = suite::media::media_type_of(view_of(path_or_extension));
    return S_OK;
  }

  static std::span<const DispatchMember<MediaServices>> dispatch_members() {
    static constexpr DispatchMember<MediaServices> kMembers[] = {
        {1, u"RegisterListener", DISPATCH_METHOD, &MediaServices::dispatch_register_listener},
    };
    return kMembers;
  }

 private:
  HRESULT dispatch_register_listener(const DispatchCall& call) { return RegisterListener(call.get_unknown(0).get()); }

  // Kept for the CLI and the tests: the HRESULT alone does not say what was wrong with a file.
  HRESULT remember(const std::string& message, HRESULT hr) {
    state_->media_errors.push_back(message);
    return hr;
  }

  HRESULT unmapped(std::u16string_view path) {
    if (path.empty()) return remember("no picture file was given", HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
    return remember(platform::to_utf8(path) + ": the path is on no drive or share the suite knows",
                    HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
  }

  std::shared_ptr<SuiteState> state_;
};

}  // namespace

HRESULT create_media_services(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv) {
  return platform::create_com<MediaServices>(riid, ppv, state);
}

void shut_down_listeners(SuiteState& state) noexcept {
  // Taken out first: a sink may register again or release the last reference to itself.
  auto listeners = std::move(state.listeners);
  state.listeners.clear();
  for (const auto& listener : listeners) {
    ComPtr<IShutdownSink> sink;
    if (SUCCEEDED(listener->QueryInterface(IID_IShutdownSink, sink.put_void()))) (void)sink->Shutdown();
  }
}

}  // namespace suite
