#include <array>
#include <mutex>

#include "platform/src/ui/window_manager.h"
#include "platform/wingdi.h"

namespace {

// The colours of the default Windows scheme; index 25 is unused and reads as 0.
std::array<COLORREF, 31> colours = {
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219), RGB(240, 240, 240),
    RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(180, 180, 180), RGB(244, 247, 252), RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255),
    RGB(240, 240, 240), RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),       RGB(255, 255, 225),
    0,                  RGB(0, 102, 204),   RGB(185, 209, 234), RGB(215, 228, 242), RGB(51, 153, 255),
    RGB(240, 240, 240)};
std::mutex colours_mutex;

bool valid_index(int index) { return index >= 0 && index < static_cast<int>(colours.size()) && index != 25; }

}  // namespace

extern "C" DWORD WINAPI GetSysColor(int nIndex) {
  std::lock_guard lock(colours_mutex);
  return valid_index(nIndex) ? colours[static_cast<std::size_t>(nIndex)] : 0;
}

extern "C" BOOL WINAPI SetSysColors(int cElements, const INT* lpaElements, const COLORREF* lpaRgbValues) {
  if (cElements < 0 || (cElements > 0 && (!lpaElements || !lpaRgbValues))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  {
    std::lock_guard lock(colours_mutex);
    for (int i = 0; i < cElements; ++i) {
      if (valid_index(lpaElements[i])) colours[static_cast<std::size_t>(lpaElements[i])] = lpaRgbValues[i] & 0xFFFFFF;
    }
  }
  const std::vector<HWND> tops = platform::ui::detail::thread_state().top_levels;
  for (HWND top : tops) SendMessageW(top, WM_SYSCOLORCHANGE, 0, 0);
  return TRUE;
}
