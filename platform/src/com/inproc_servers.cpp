// The cache of loaded in-process servers, keyed by file path, and CoFreeUnusedLibraries.
#include "platform/src/com/inproc_servers.h"

#include <dlfcn.h>

#include <map>
#include <mutex>

namespace {

struct Server {
  void* handle = nullptr;  // the cache's one loader reference
  LPFNGETCLASSOBJECT get_class_object = nullptr;
  LPFNCANUNLOADNOW can_unload_now = nullptr;
};

struct Cache {
  // Recursive: a server's DllGetClassObject or DllCanUnloadNow may itself activate classes.
  std::recursive_mutex mutex;
  std::map<std::string, Server> servers;
};

Cache& cache() {
  static auto* c = new Cache;  // never destroyed: servers may still be called during exit
  return *c;
}

}  // namespace

namespace platform::com {

HRESULT server_class_object(const std::string& path, REFCLSID clsid, REFIID riid, void** ppv) {
  auto& c = cache();
  std::lock_guard lock(c.mutex);
  auto it = c.servers.find(path);
  if (it == c.servers.end()) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return CO_E_DLLNOTFOUND;
    Server server;
    server.handle = handle;
    server.get_class_object = reinterpret_cast<LPFNGETCLASSOBJECT>(dlsym(handle, "DllGetClassObject"));
    server.can_unload_now = reinterpret_cast<LPFNCANUNLOADNOW>(dlsym(handle, "DllCanUnloadNow"));
    if (!server.get_class_object) {
      dlclose(handle);
      return CO_E_ERRORINDLL;
    }
    it = c.servers.emplace(path, server).first;
  }
  return it->second.get_class_object(clsid, riid, ppv);
}

}  // namespace platform::com

STDAPI_(void) CoFreeUnusedLibraries() { CoFreeUnusedLibrariesEx(0xFFFFFFFF, 0); }  // the default delay

// There is no delay to wait out: nothing here hands objects across apartments behind the
// server's back, so an answer of S_OK holds as soon as it is given.
STDAPI_(void) CoFreeUnusedLibrariesEx(DWORD, DWORD) {
  auto& c = cache();
  std::lock_guard lock(c.mutex);
  for (auto it = c.servers.begin(); it != c.servers.end();) {
    // A server without DllCanUnloadNow stays loaded, as on Windows.
    if (it->second.can_unload_now && it->second.can_unload_now() == S_OK) {
      dlclose(it->second.handle);
      it = c.servers.erase(it);
    } else {
      ++it;
    }
  }
}
