// OleInitialize, OleUninitialize and OleRun.
#include "platform/ole2.h"
#include "platform/support/com_ptr.h"

STDAPI OleInitialize(LPVOID pvReserved) {
  if (pvReserved) return E_INVALIDARG;
  return CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
}

STDAPI_(void) OleUninitialize() { CoUninitialize(); }

STDAPI OleRun(LPUNKNOWN pUnknown) {
  if (!pUnknown) return E_INVALIDARG;
  platform::ComPtr<IRunnableObject> runnable;
  if (FAILED(pUnknown->QueryInterface(IID_IRunnableObject, runnable.put_void()))) return S_OK;
  return runnable->Run(nullptr);
}
