// IImageObject: rotations and resizes are recorded by the lazy picture and applied when media
// services save it.
#include "suite/host/image_object.h"

#include <vector>

#include "platform/oleauto.h"
#include "platform/support/com_object.h"
#include "suite/host/suite_objects.h"
#include "suite/media/media_error.h"
#include "suite/media/picture.h"

namespace suite {
namespace {

// The LONG values of a VARIANT holding a one-dimensional SAFEARRAY of VT_I4 (or of VARIANTs
// convertible to it); E_INVALIDARG for anything else.
HRESULT longs_of(const VARIANT& v, std::vector<std::int32_t>& out) {
  if (!(v.vt & VT_ARRAY) || (v.vt & VT_BYREF)) return E_INVALIDARG;
  SAFEARRAY* array = v.parray;
  if (!array || SafeArrayGetDim(array) != 1) return E_INVALIDARG;
  LONG low = 0, high = -1;
  if (FAILED(SafeArrayGetLBound(array, 1, &low)) || FAILED(SafeArrayGetUBound(array, 1, &high))) return E_INVALIDARG;
  const VARTYPE element = static_cast<VARTYPE>(v.vt & ~VT_ARRAY);
  for (LONG i = low; i <= high; ++i) {
    if (element == VT_I4 || element == VT_INT) {
      LONG value = 0;
      const HRESULT hr = SafeArrayGetElement(array, &i, &value);
      if (FAILED(hr)) return hr;
      out.push_back(value);
    } else if (element == VT_VARIANT) {
      VARIANT item;
      VariantInit(&item);
      HRESULT hr = SafeArrayGetElement(array, &i, &item);
      if (SUCCEEDED(hr)) hr = VariantChangeType(&item, &item, 0, VT_I4);
      if (SUCCEEDED(hr)) out.push_back(item.lVal);
      (void)VariantClear(&item);
      if (FAILED(hr)) return E_INVALIDARG;
    } else {
      return E_INVALIDARG;
    }
  }
  return S_OK;
}

class ImageObject final : public platform::ComObject<ImageObject, IImageObject, ISuitePicture> {
 public:
  STDMETHODIMP SetConfiguration(VARIANT configuration) override {
    return platform::com_boundary([&]() -> HRESULT {
      std::vector<std::int32_t> layouts;
      const HRESULT hr = longs_of(configuration, layouts);
      if (FAILED(hr)) return hr;
      return guarded([&] { picture_.configure(std::move(layouts)); }, E_INVALIDARG);
    });
  }

  STDMETHODIMP Rotate(LONG quarter_turns) override {
    return platform::com_boundary([&] { return guarded([&] { picture_.rotate(quarter_turns); }, E_UNEXPECTED); });
  }

  STDMETHODIMP Resize(LONG width, LONG height) override {
    if (width < 1 || height < 1) return E_INVALIDARG;
    return platform::com_boundary([&] { return guarded([&] { picture_.resize(width, height); }, E_INVALIDARG); });
  }

  STDMETHODIMP GetSize(LONG* width, LONG* height) override {
    if (!width || !height) return E_POINTER;
    *width = picture_.width();
    *height = picture_.height();
    return picture_.is_loaded() ? S_OK : E_UNEXPECTED;
  }

  STDMETHODIMP GetBitsPerPixel(LONG* bits) override {
    if (!bits) return E_POINTER;
    *bits = picture_.bits_per_pixel();
    return picture_.is_loaded() ? S_OK : E_UNEXPECTED;
  }

  STDMETHODIMP ResetPendingChanges() override {
    picture_.reset_modified();
    return S_OK;
  }

  suite::media::Picture& picture() override { return picture_; }

 private:
  template <class Body>
  static HRESULT guarded(Body&& body, HRESULT failure) {
    try {
      body();
      return S_OK;
    } catch (const suite::media::MediaError&) {
      return failure;
    }
  }

  suite::media::Picture picture_;
};

}  // namespace

HRESULT create_image_object(const std::shared_ptr<SuiteState>&, REFIID riid, void** ppv) {
  return platform::create_com<ImageObject>(riid, ppv);
}

}  // namespace suite
