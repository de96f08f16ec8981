#include <algorithm>

#include "platform/winuser.h"

namespace {
bool empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
}  // namespace

extern "C" BOOL WINAPI SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom) {
  if (!lprc) return FALSE;
  *lprc = RECT{xLeft, yTop, xRight, yBottom};
  return TRUE;
}

extern "C" BOOL WINAPI SetRectEmpty(LPRECT lprc) {
  if (!lprc) return FALSE;
  *lprc = RECT{};
  return TRUE;
}

extern "C" BOOL WINAPI IsRectEmpty(const RECT* lprc) { return !lprc || empty(*lprc) ? TRUE : FALSE; }

extern "C" BOOL WINAPI OffsetRect(LPRECT lprc, int dx, int dy) {
  if (!lprc) return FALSE;
  *lprc = RECT{lprc->left + dx, lprc->top + dy, lprc->right + dx, lprc->bottom + dy};
  return TRUE;
}

extern "C" BOOL WINAPI InflateRect(LPRECT lprc, int dx, int dy) {
  if (!lprc) return FALSE;
  *lprc = RECT{lprc->left - dx, lprc->top - dy, lprc->right + dx, lprc->bottom + dy};
  return TRUE;
}

extern "C" BOOL WINAPI PtInRect(const RECT* lprc, POINT pt) {
  return lprc && pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom ? TRUE : FALSE;
}

extern "C" BOOL WINAPI UnionRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
  if (!lprcDst || !lprcSrc1 || !lprcSrc2) return FALSE;
  const RECT a = *lprcSrc1;
  const RECT b = *lprcSrc2;
  if (empty(a)) {
    *lprcDst = empty(b) ? RECT{} : b;
  } else if (empty(b)) {
    *lprcDst = a;
  } else {
    *lprcDst = RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                    std::max(a.bottom, b.bottom)};
  }
  return IsRectEmpty(lprcDst) ? FALSE : TRUE;
}

extern "C" BOOL WINAPI IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
  if (!lprcDst || !lprcSrc1 || !lprcSrc2) return FALSE;
  const RECT r{std::max(lprcSrc1->left, lprcSrc2->left), std::max(lprcSrc1->top, lprcSrc2->top),
               std::min(lprcSrc1->right, lprcSrc2->right), std::min(lprcSrc1->bottom, lprcSrc2->bottom)};
  *lprcDst = empty(r) ? RECT{} : r;
  return empty(r) ? FALSE : TRUE;
}

extern "C" BOOL WINAPI EqualRect(const RECT* lprc1, const RECT* lprc2) {
  return lprc1 && lprc2 && lprc1->left == lprc2->left && lprc1->top == lprc2->top && lprc1->right == lprc2->right &&
                 lprc1->bottom == lprc2->bottom
             ? TRUE
             : FALSE;
}

extern "C" BOOL WINAPI CopyRect(LPRECT lprcDst, const RECT* lprcSrc) {
  if (!lprcDst || !lprcSrc) return FALSE;
  *lprcDst = *lprcSrc;
  return TRUE;
}
