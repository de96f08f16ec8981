// Marks what the suite's tools library CTGCommonTools exports; the library hides everything else.
#pragma once

#define CTGCOMMONTOOLS_API __attribute__((visibility("default")))
