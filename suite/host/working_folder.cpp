// The working-folder object: components make their default folders below the user's
// My Pictures folder, or below the temporary folder when the user has none.
#include <span>

#include "host/working_folder.h"
#include "platform/fileapi.h"
#include "platform/shlobj.h"
#include "platform/support/dispatch_object.h"
#include "suite/host/suite_objects.h"

namespace suite {
namespace {

using platform::DispatchCall;
using platform::DispatchMember;

class WorkingFolder final : public platform::DispatchObject<WorkingFolder, platform::Chain<IWorkingFolder, IDispatch>> {
 public:
  explicit WorkingFolder(std::shared_ptr<SuiteState>) {}

  STDMETHODIMP GetBaseFolder(BSTR* folder) override {
    if (!folder) return E_POINTER;
    *folder = nullptr;
    WCHAR path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, 0, path))) {
      const DWORD length = GetTempPathW(MAX_PATH, path);
      if (length == 0 || length >= MAX_PATH) return E_FAIL;
    }
    *folder = SysAllocString(path);
    return *folder ? S_OK : E_OUTOFMEMORY;
  }

  static std::span<const DispatchMember<WorkingFolder>> dispatch_members() {
    static constexpr DispatchMember<WorkingFolder> kMembers[] = {
        {1, u"BaseFolder", DISPATCH_PROPERTYGET, &WorkingFolder::dispatch_base_folder},
    };
    return kMembers;
  }

 private:
  HRESULT dispatch_base_folder(const DispatchCall& call) {
    platform::Bstr folder;
    const HRESULT hr = GetBaseFolder(folder.put());
    if (SUCCEEDED(hr)) call.set_result(folder.view());
    return hr;
  }
};

}  // namespace

HRESULT create_working_folder(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv) {
  return platform::create_com<WorkingFolder>(riid, ppv, state);
}

}  // namespace suite
