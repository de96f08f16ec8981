// The slide-show check: whether a file can be shown in a slide show. Verdicts: 0 it can;
// 1 the file is not there; 2 it is not a picture, video or sound; 3 a picture whose header
// cannot be read.
#include <filesystem>
#include <string>

#include "host/attachment_resolver.h"
#include "platform/oleauto.h"
#include "platform/support/com_object.h"
#include "suite/host/host_paths.h"
#include "suite/host/suite_objects.h"
#include "suite/media/image_info.h"
#include "suite/media/media_types.h"

namespace suite {
namespace {

constexpr LONG kShowable = 0;
constexpr LONG kMissing = 1;
constexpr LONG kNotShowable = 2;
constexpr LONG kUnreadablePicture = 3;

class SlideShowCheck final : public platform::ComObject<SlideShowCheck, ISlideShowCheck> {
 public:
  STDMETHODIMP SetFile(BSTR path) override {
    return platform::com_boundary([&] {
      path_ = path ? std::u16string(path, SysStringLen(path)) : std::u16string();
      return S_OK;
    });
  }

  STDMETHODIMP GetVerdict(LONG* verdict) override {
    if (!verdict) return E_POINTER;
    *verdict = 0;
    return platform::com_boundary([&] {
      *verdict = judge();
      return S_OK;
    });
  }

 private:
  LONG judge() const {
    const auto posix = posix_of_host_path(path_);
    if (!posix) return kMissing;
    const suite::media::ImageInfo info = suite::media::read_image_info(*posix);
    if (info.media_type < suite::media::kPhoto || info.media_type > suite::media::kAudio) return kNotShowable;
    std::error_code error;
    if (!std::filesystem::is_regular_file(*posix, error)) return kMissing;
    if (suite::media::is_still_picture(info.media_type) && info.frames.empty()) return kUnreadablePicture;
    return kShowable;
  }

  std::u16string path_;
};

}  // namespace

HRESULT create_slide_show_check(const std::shared_ptr<SuiteState>&, REFIID riid, void** ppv) {
  return platform::create_com<SlideShowCheck>(riid, ppv);
}

}  // namespace suite
