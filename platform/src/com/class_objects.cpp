// CoRegisterClassObject, CoRevokeClassObject, CoResumeClassObjects.
#include "platform/src/com/class_objects.h"

#include <mutex>
#include <thread>
#include <vector>

#include "platform/src/com/apartment.h"

namespace {

struct Registration {
  DWORD cookie;
  CLSID clsid;
  IUnknown* object;  // one reference, released on revocation
  DWORD context;
  DWORD flags;
  std::thread::id thread;
  bool suspended;
};

struct Table {
  std::mutex mutex;
  std::vector<Registration> entries;
  DWORD next_cookie = 1;
};

Table& table() {
  static Table t;
  return t;
}

// Releases outside the table's lock: a class object's Release may call back into COM.
void release_all(std::vector<IUnknown*>& objects) {
  for (IUnknown* object : objects) object->Release();
  objects.clear();
}

}  // namespace

namespace platform::com {

IUnknown* find_class_object(REFCLSID clsid, DWORD context) {
  auto& t = table();
  std::lock_guard lock(t.mutex);
  for (const auto& entry : t.entries) {
    if (entry.suspended || !(entry.context & context) || !IsEqualGUID(entry.clsid, clsid)) continue;
    entry.object->AddRef();
    return entry.object;
  }
  return nullptr;
}

void revoke_thread_class_objects() {
  auto& t = table();
  std::vector<IUnknown*> released;
  {
    std::lock_guard lock(t.mutex);
    const auto self = std::this_thread::get_id();
    std::erase_if(t.entries, [&](const Registration& entry) {
      if (entry.thread != self) return false;
      released.push_back(entry.object);
      return true;
    });
  }
  release_all(released);
}

}  // namespace platform::com

STDAPI CoRegisterClassObject(REFCLSID rclsid, IUnknown* pUnk, DWORD dwClsContext, DWORD flags, LPDWORD lpdwRegister) {
  if (!lpdwRegister || !pUnk) return E_INVALIDARG;
  *lpdwRegister = 0;
  if (!platform::com::thread_can_use_com()) return CO_E_NOTINITIALIZED;
  // A multiple-use local server is an in-process one as well.
  DWORD context = dwClsContext;
  if ((flags & REGCLS_MULTIPLEUSE) && (context & CLSCTX_LOCAL_SERVER)) context |= CLSCTX_INPROC_SERVER;
  // Registering a class again is no error: each registration has its own cookie, and
  // lookups answer the earliest one still in place.
  auto& t = table();
  std::lock_guard lock(t.mutex);
  pUnk->AddRef();
  const DWORD cookie = t.next_cookie++;
  t.entries.push_back(Registration{cookie, rclsid, pUnk, context, flags, std::this_thread::get_id(),
                                   (flags & REGCLS_SUSPENDED) != 0});
  *lpdwRegister = cookie;
  return S_OK;
}

STDAPI CoRevokeClassObject(DWORD dwRegister) {
  if (!platform::com::thread_can_use_com()) return CO_E_NOTINITIALIZED;
  auto& t = table();
  std::vector<IUnknown*> released;
  {
    std::lock_guard lock(t.mutex);
    std::erase_if(t.entries, [&](const Registration& entry) {
      if (entry.cookie != dwRegister) return false;
      released.push_back(entry.object);
      return true;
    });
  }
  if (released.empty()) return CO_E_OBJNOTREG;
  release_all(released);
  return S_OK;
}

STDAPI CoResumeClassObjects() {
  auto& t = table();
  std::lock_guard lock(t.mutex);
  for (auto& entry : t.entries) entry.suspended = false;
  return S_OK;
}
