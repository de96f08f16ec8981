// The COM library as a program includes it: the base API and the object interfaces.
#pragma once

#include "platform/combaseapi.h"
#include "platform/objidl.h"
