// The platform library's own objects (marshalers, enumerators) are counted here.
#include "platform/support/module_state.h"

PLATFORM_DEFINE_MODULE_STATE()
