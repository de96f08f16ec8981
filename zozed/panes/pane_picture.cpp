#include "zozed/panes/activity_pane_control.h"

namespace zozed {

HRESULT draw_pane_picture(HDC dc, const RECT& bounds) {
  RECT area = bounds;
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, kPaneDrawText, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  return S_OK;
}

}  // namespace zozed
