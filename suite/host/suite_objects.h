// The suite's host objects, each created for one interface `riid` over the shared state.
#pragma once

#include <memory>

#include <string>

#include "host/activity_component.h"
#include "host/media_services.h"
#include "platform/unknwn.h"
#include "suite/host/suite_state.h"

namespace suite {

using ObjectCreator = HRESULT (*)(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv);

HRESULT create_environment(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv);
HRESULT create_media_services(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv);
HRESULT create_working_folder(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv);
HRESULT create_activity_host(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv);
HRESULT create_activity_area(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv);
HRESULT create_pane_stack(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv);
HRESULT create_command_target(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv);
HRESULT create_message_service(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv);
HRESULT create_mail_service(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv);
HRESULT create_image_object(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv);
HRESULT create_attachment_resolver(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv);
HRESULT create_slide_show_check(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv);

// The file object of a host path ("file::Z:\a.jpg" or "Z:\a.jpg").
HRESULT create_file_object(std::u16string_view host_path, IFileObject** file);

// The pane stack's stand-in for a shown pane: forwards IActivityComponent to `pane` and
// records each pane message it delivers.
HRESULT create_pane_proxy(const std::shared_ptr<SuiteState>& state, IActivityComponent* pane, std::u16string clsid,
                          IDispatch** proxy);

// A class object creating objects with `create` over `state`.
HRESULT create_class_factory(const std::shared_ptr<SuiteState>& state, ObjectCreator create, IClassFactory** factory);

// Calls IShutdownSink on every registered listener once and lets go of them all.
void shut_down_listeners(SuiteState& state) noexcept;

}  // namespace suite
