#include <cstring>

#include "platform/dialog_template_builder.h"
#include "platform/wingdi.h"
#include "platform/winnls.h"
#include "tests/platform/platform_test_support.h"
#include "tests/platform/ui/ui_test_support.h"

using namespace ui_test;

namespace {

class DialogTemplates : public UiTest {};

struct Seen {
  HWND dialog = nullptr;
  LPARAM init_param = 0;
  HWND init_focus = nullptr;
  HFONT font_at_init = nullptr;
  std::vector<UINT> order;
};
Seen seen;

INT_PTR CALLBACK recording_dialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  seen.order.push_back(message);
  if (message == WM_INITDIALOG) {
    seen.dialog = dialog;
    seen.init_param = lparam;
    seen.init_focus = reinterpret_cast<HWND>(wparam);
    seen.font_at_init = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    return TRUE;
  }
  return FALSE;
}

std::vector<BYTE> creation_bytes;
LRESULT CALLBACK creation_data_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    const auto* size = static_cast<const WORD*>(cs->lpCreateParams);
    creation_bytes.assign(reinterpret_cast<const BYTE*>(size + 1), reinterpret_cast<const BYTE*>(size + 1) + *size);
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

// A dialog's control as `class "text" {left,top,right,bottom}` in the dialog, then its styles.
std::string describe(HWND dialog, HWND control) {
  WCHAR name[32] = {}, text[64] = {};
  GetClassNameW(control, name, 32);
  GetWindowTextW(control, text, 64);
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
  const std::string rect = "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
                           "," + std::to_string(r.bottom) + "}";
  return platform::to_utf8(name) + " \"" + platform::to_utf8(text) + "\" " + rect + (style & WS_CHILD ? " child" : "") +
         (style & WS_TABSTOP ? " tab" : "");
}

platform::DialogTemplateBuilder sample() {
  platform::DialogTemplateBuilder builder;
  builder.style(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE)
      .help_id(177)
      .rect(10, 20, 200, 100)
      .title(u"Folder saved")
      .font(platform::DialogFont{9, FW_BOLD, 1, 0, u"Tahoma"})
      .label(1182, u"Saved in", 7, 7, 180, 8)
      .edit(1181, u"C:\\Photos", 7, 20, 180, 14)
      .button(1183, u"Open", 7, 80, 50, 14)
      .button(IDOK, u"OK", 143, 80, 50, 14, BS_DEFPUSHBUTTON);
  return builder;
}

TEST_F(DialogTemplates, EveryFieldOfBothLayoutsReachesTheDialog) {
  for (bool extended : {true, false}) {
    SCOPED_TRACE(extended ? "DLGTEMPLATEEX" : "DLGTEMPLATE");
    const std::vector<WORD> bytes = extended ? sample().build() : sample().build_classic();
    seen = Seen{};
    HWND dialog = CreateDialogIndirectParamW(nullptr, platform::as_template(bytes), nullptr, recording_dialog, 99);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(seen.dialog, dialog);
    EXPECT_EQ(seen.init_param, 99);
    EXPECT_TRUE(platform::ui::is_dialog(dialog));

    WCHAR text[64];
    GetWindowTextW(dialog, text, 64);
    EXPECT_EQ(std::u16string(text), u"Folder saved");
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
    EXPECT_TRUE(style & DS_MODALFRAME);
    EXPECT_TRUE(style & WS_VISIBLE) << "a WS_VISIBLE template is shown";

    // Dialog units: x * 8 / 4, y * 16 / 8, the client area at the template's origin.
    RECT client;
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const RECT expected_client{20, 40, 420, 240};
    EXPECT_TRUE(EqualRect(&client, &expected_client));

    const std::pair<int, const char*> controls[] = {
        {1182, "Static \"Saved in\" {14,14,374,30} child"},
        {1181, "Edit \"C:\\Photos\" {14,40,374,68} child tab"},
        {1183, "Button \"Open\" {14,160,114,188} child tab"},
        {IDOK, "Button \"OK\" {286,160,386,188} child tab"},
    };
    for (const auto& [id, expected] : controls) {
      HWND control = GetDlgItem(dialog, id);
      EXPECT_EQ(describe(dialog, control), expected);
      EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), seen.font_at_init)
          << expected << ": every control gets the dialog font";
    }

    ASSERT_NE(seen.font_at_init, nullptr);
    LOGFONTW font{};
    ASSERT_EQ(GetObjectW(seen.font_at_init, sizeof font, &font), static_cast<int>(sizeof font));
    EXPECT_EQ(std::u16string(font.lfFaceName), u"Tahoma");
    EXPECT_EQ(font.lfHeight, -12) << "9 points at 96 pixels per inch";
    if (extended) {
      EXPECT_EQ(font.lfWeight, FW_BOLD);
      EXPECT_EQ(font.lfItalic, 1);
    }
    EXPECT_EQ(seen.init_focus, GetDlgItem(dialog, 1181)) << "the first tab stop";
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1181));
    EXPECT_EQ(LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)), IDOK);
    EXPECT_EQ(HIWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)), DC_HASDEFID);

    // The dialog procedure sees the font before WM_INITDIALOG, and nothing of creation.
    ASSERT_FALSE(seen.order.empty());
    EXPECT_EQ(seen.order.front(), WM_SETFONT);
    EXPECT_EQ(std::count(seen.order.begin(), seen.order.end(), WM_CREATE), 0);
    DestroyWindow(dialog);
  }
}

TEST_F(DialogTemplates, ControlsByRegisteredClassNameCarryTheirCreationData) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = creation_data_proc;
  wc.lpszClassName = u"UiTestHostWindow";
  ASSERT_NE(RegisterClassExW(&wc), 0);
  platform::DialogTemplateBuilder builder;
  builder.style(WS_CHILD | DS_CONTROL)
      .item(platform::DialogItem{std::u16string(u"UiTestHostWindow"), std::u16string(u"{5C0FF7AE}"), 0x10000 + 5,
                                 WS_VISIBLE, 0, 1, 2, 3, 4, 0, {1, 2, 3}});
  const std::vector<WORD> bytes = builder.build();
  HWND parent = create(WS_OVERLAPPED | WS_VISIBLE);
  creation_bytes.clear();
  HWND dialog = CreateDialogIndirectParamW(nullptr, platform::as_template(bytes), parent, recording_dialog, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetParent(dialog), parent);
  EXPECT_FALSE(GetWindowLongPtrW(dialog, GWL_STYLE) & WS_CAPTION) << "DS_CONTROL drops the caption";
  HWND host = GetDlgItem(dialog, 0x10000 + 5);
  ASSERT_NE(host, nullptr) << "DLGTEMPLATEEX item ids are 32-bit";
  EXPECT_EQ(creation_bytes, (std::vector<BYTE>{1, 2, 3}));
  WCHAR text[16];
  GetWindowTextW(host, text, 16);
  EXPECT_EQ(std::u16string(text), u"{5C0FF7AE}");
  DestroyWindow(parent);
  EXPECT_FALSE(IsWindow(dialog)) << "the dialog went with its parent";
  EXPECT_TRUE(UnregisterClassW(u"UiTestHostWindow", nullptr));
}

TEST_F(DialogTemplates, AnUnknownControlClassFailsTheDialogUnlessToldNotTo) {
  for (DWORD extra : {0u, DS_NOFAILCREATE}) {
    platform::DialogTemplateBuilder builder;
    builder.style(WS_POPUP | extra)
        .item(platform::DialogItem{std::u16string(u"NoSuchClass"), WORD{0}, 3, WS_VISIBLE, 0, 0, 0, 10, 10, 0, {}})
        .button(IDOK, u"OK", 0, 20, 10, 10);
    const std::vector<WORD> bytes = builder.build();
    HWND dialog = CreateDialogIndirectParamW(nullptr, platform::as_template(bytes), nullptr, recording_dialog, 0);
    if (extra) {
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(GetDlgItem(dialog, 3), nullptr);
      EXPECT_NE(GetDlgItem(dialog, IDOK), nullptr);
      DestroyWindow(dialog);
    } else {
      EXPECT_EQ(dialog, nullptr);
    }
  }
}

TEST_F(DialogTemplates, MapDialogRectUsesTheFixedBaseUnitsAndTemplatesMustBeAligned) {
  EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(8, 16));
  const std::vector<WORD> bytes = platform::DialogTemplateBuilder().style(WS_POPUP).build();
  HWND dialog = CreateDialogIndirectParamW(nullptr, platform::as_template(bytes), nullptr, recording_dialog, 0);
  ASSERT_NE(dialog, nullptr);
  RECT r{3, 5, 7, -3};
  ASSERT_TRUE(MapDialogRect(dialog, &r));
  const RECT mapped{6, 10, 14, -6};
  EXPECT_TRUE(EqualRect(&r, &mapped));
  DestroyWindow(dialog);
  HWND plain = create(WS_OVERLAPPED);
  EXPECT_FAILS_WITH(MapDialogRect(plain, &r), FALSE, ERROR_WINDOW_NOT_DIALOG);
  DestroyWindow(plain);

  std::vector<BYTE> shifted(bytes.size() * 2 + 1);  // a misaligned template is refused
  std::memcpy(shifted.data() + 1, bytes.data(), bytes.size() * 2);
  const auto misaligned = reinterpret_cast<LPCDLGTEMPLATEW>(shifted.data() + 1);
  EXPECT_FAILS_WITH(CreateDialogIndirectParamW(nullptr, misaligned, nullptr, recording_dialog, 0), nullptr,
                    ERROR_INVALID_DATA);
}

}  // namespace
