#include "suite/host/suite_session.h"

#include <array>

#include "host/activity_host.h"
#include "host/attachment_resolver.h"
#include "host/image_object.h"
#include "host/environment.h"
#include "host/mail_service.h"
#include "host/media_services.h"
#include "host/message_service.h"
#include "host/working_folder.h"
#include "platform/objbase.h"
#include "platform/support/com_error.h"
#include "platform/support/com_ptr.h"
#include "suite/host/side_panel.h"
#include "suite/host/skin_store.h"
#include "suite/controls/control_classes.h"
#include "suite/controls/item_tray.h"
#include "suite/host/suite_objects.h"

namespace suite {
namespace {

struct SuiteClass {
  const CLSID* clsid;
  ObjectCreator create;
};

constexpr std::array kClasses{
    SuiteClass{&host::CLSID_ClientEnvironment, &create_environment},
    SuiteClass{&host::CLSID_ClientEnvironmentConfig, &create_environment},
    SuiteClass{&host::CLSID_ClientEnvironmentSettings, &create_environment},
    SuiteClass{&host::CLSID_MediaServices, &create_media_services},
    SuiteClass{&host::CLSID_WorkingFolder, &create_working_folder},
    SuiteClass{&host::CLSID_ActivityHost, &create_activity_host},
    SuiteClass{&host::CLSID_MessageService, &create_message_service},
    SuiteClass{&host::CLSID_MailService, &create_mail_service},
    SuiteClass{&host::CLSID_ImageObject, &create_image_object},
    SuiteClass{&host::CLSID_AttachmentResolver, &create_attachment_resolver},
    SuiteClass{&host::CLSID_SlideShowCheck, &create_slide_show_check},
};

}  // namespace

HRESULT Session::start(SuiteSettings settings) {
  if (state_) return E_UNEXPECTED;
  start_failure_.clear();
  try {
    temp_ = std::make_unique<SessionTempFolder>();
  } catch (const std::exception& failure) {
    start_failure_ = failure.what();
    return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
  }
  const HRESULT started = platform::com_boundary([&]() -> HRESULT {
    auto state = std::make_shared<SuiteState>(std::move(settings));
    HRESULT hr = create_pane_stack(state, IID_IDispatch, state->pane_stack.put_void());
    if (SUCCEEDED(hr)) hr = create_command_target(state, IID_ICommandTarget, state->command_target.put_void());
    if (SUCCEEDED(hr)) hr = controls::create_item_tray(IID_IDispatch, state->item_tray.put_void());
    if (SUCCEEDED(hr)) hr = controls::register_control_prog_ids();
    std::vector<SuiteClass> classes(kClasses.begin(), kClasses.end());
    for (const auto& control : controls::control_classes()) classes.push_back({control.clsid, control.create});
    std::vector<DWORD> cookies;
    cookies.reserve(classes.size());
    for (const auto& entry : classes) {
      if (FAILED(hr)) break;
      platform::ComPtr<IClassFactory> factory;
      hr = create_class_factory(state, entry.create, factory.put());
      DWORD cookie = 0;
      if (SUCCEEDED(hr))
        hr = CoRegisterClassObject(*entry.clsid, factory.get(), CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                   REGCLS_MULTIPLEUSE, &cookie);
      if (SUCCEEDED(hr)) cookies.push_back(cookie);
    }
    if (FAILED(hr)) {
      for (const DWORD cookie : cookies) (void)CoRevokeClassObject(cookie);
      state->pane_stack.reset();
      state->command_target.reset();
      state->item_tray.reset();
      return hr;
    }
    // A missing skin only leaves the panes with their defaults.
    (void)install_skin(state->settings.configuration_root);
    state_ = std::move(state);
    cookies_ = std::move(cookies);
    return S_OK;
  });
  if (FAILED(started)) temp_.reset();
  return started;
}

void Session::stop() noexcept {
  if (!state_) return;
  shut_down_listeners(*state_);
  state_->running = false;
  for (const DWORD cookie : cookies_) (void)CoRevokeClassObject(cookie);
  cookies_.clear();
  // The pane stack and its panes hold the state; breaking the cycle here frees them all.
  auto panes = std::move(state_->panes);
  state_->panes.clear();
  for (auto& pane : panes) remove_from_panel(pane);
  panes.clear();
  close_panel(*state_);
  state_->pane_stack.reset();
  state_->command_target.reset();
  state_->item_tray.reset();
  state_->listeners.clear();
  state_.reset();
  temp_.reset();
}

}  // namespace suite
