// OLE on top of COM: initialisation and running embedded objects.
#pragma once

#include "platform/objbase.h"

// An apartment-threaded COM initialisation; RPC_E_CHANGED_MODE on a multithreaded thread.
STDAPI OleInitialize(LPVOID pvReserved);
STDAPI_(void) OleUninitialize();

// Puts an object into its running state through IRunnableObject; one without it is running.
STDAPI OleRun(LPUNKNOWN pUnknown);
