// The process's ANSI and OEM code pages.
#include <atomic>

#include "platform/src/text/code_page_table.h"
#include "platform/winnls.h"

namespace {

std::atomic<UINT> g_ansi_code_page{1252};
constexpr UINT kOemCodePage = 437;
constexpr UINT kMacCodePage = 10000;

}  // namespace

namespace platform {

bool set_ansi_code_page(UINT code_page) {
  if (!text::is_supported_code_page(code_page)) return false;
  g_ansi_code_page.store(code_page, std::memory_order_relaxed);
  return true;
}

namespace text {

UINT resolve_code_page(UINT code_page) {
  switch (code_page) {
    case CP_ACP:
    case CP_THREAD_ACP:
      return g_ansi_code_page.load(std::memory_order_relaxed);
    case CP_OEMCP:
      return kOemCodePage;
    case CP_MACCP:
      return kMacCodePage;
    default:
      return code_page;
  }
}

}  // namespace text
}  // namespace platform

extern "C" UINT WINAPI GetACP() { return g_ansi_code_page.load(std::memory_order_relaxed); }

extern "C" UINT WINAPI GetOEMCP() { return kOemCodePage; }

extern "C" BOOL WINAPI IsValidCodePage(UINT CodePage) {
  // The symbolic values are not code pages of their own.
  if (CodePage == CP_ACP || CodePage == CP_OEMCP || CodePage == CP_MACCP || CodePage == CP_THREAD_ACP) return FALSE;
  return platform::text::is_supported_code_page(CodePage) ? TRUE : FALSE;
}
