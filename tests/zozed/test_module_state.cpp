// COM objects created by the test binary itself count here.
#include "platform/support/module_state.h"

PLATFORM_DEFINE_MODULE_STATE()
