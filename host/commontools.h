// The suite's tools library CTGCommonTools as a module imports it: link against the library
// and include this header.
#pragma once

#include "host/commontools/shell_name_splitter.h"
#include "host/commontools/sound_helper.h"
#include "host/commontools/string_splitter.h"
