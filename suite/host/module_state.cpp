// The live-object count of a binary that links the suite's objects and defines none of its
// own (the zozed command). Kept alone in its object file so that a binary defining its own
// (the tests) never pulls this one from the archive.
#include "platform/support/module_state.h"

PLATFORM_DEFINE_MODULE_STATE()
