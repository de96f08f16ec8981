// The host's skinned controls that pane templates and dialogs hold: their classes and ProgIDs,
// automation dispatch ids, events, and the auto-size and ideal-size interfaces panes lay them out by.
#pragma once

#include <array>
#include <string_view>

#include "platform/oaidl.h"

// Whether a control is sized by its content (kAutoSize*), which decides the ideal height it
// reports. Text controls offer this one, buttons the second; a pane switches either to
// kAutoSizeHeight before asking for the ideal height at a width.
struct ISkinAutoSize : IUnknown {
  STDMETHOD(SetAutoSizeMode)(LONG mode) PURE;
  STDMETHOD(GetAutoSizeMode)(LONG* mode) PURE;
};
PLATFORM_DECLARE_IID(ISkinAutoSize, "{6A1C2E4F-3B7D-4E58-9C21-5D0F8A3B7E11}");

struct ISkinButtonAutoSize : IUnknown {
  STDMETHOD(SetAutoSizeMode)(LONG mode) PURE;
  STDMETHOD(GetAutoSizeMode)(LONG* mode) PURE;
};
PLATFORM_DECLARE_IID(ISkinButtonAutoSize, "{6A1C2E4F-3B7D-4E58-9C21-5D0F8A3B7E12}");

// The height the control needs to show all of its content at `width` pixels.
struct ISkinIdealSize : IUnknown {
  STDMETHOD(GetIdealHeight)(LONG width, LONG* height) PURE;
};
PLATFORM_DECLARE_IID(ISkinIdealSize, "{6A1C2E4F-3B7D-4E58-9C21-5D0F8A3B7E13}");

namespace host {

inline constexpr LONG kAutoSizeNone = 0;    // not sized by content: ideal height = the height it has
inline constexpr LONG kAutoSizeWidth = 1;   // the text unwrapped: the height of its lines
inline constexpr LONG kAutoSizeHeight = 2;  // the text wrapped at the width asked about

// Outgoing dispinterface of every skinned control except the item tray.
PLATFORM_DEFINE_GUID(DIID_SkinControlEvents, "{6A1C2E4F-3B7D-4E58-9C21-5D0F8A3B7E20}");
inline constexpr DISPID kEventClick = 1;   // no arguments; a two-state choice passes its new state (VT_I4)
inline constexpr DISPID kEventChange = 2;  // a text box's text changed

// Automation members. Every control answers text, enabled, visible and window; the others as
// their class uses them.
inline constexpr DISPID kSkinText = 10;          // BSTR; a two-state choice: the first state's text
inline constexpr DISPID kSkinEnabled = 11;       // VT_BOOL
inline constexpr DISPID kSkinVisible = 12;       // VT_BOOL
inline constexpr DISPID kSkinState = 13;         // VT_I4, see the states below
inline constexpr DISPID kSkinToolTip = 14;       // BSTR
inline constexpr DISPID kSkinDefaultButton = 15; // VT_BOOL
inline constexpr DISPID kSkinImage = 16;         // BSTR: skin image name, such as "BulletButton2"
inline constexpr DISPID kSkinValue = 17;         // number box VT_R8; choice 0 / -1; progress VT_I4
inline constexpr DISPID kSkinMinimum = 18;       // VT_R8 (progress bar: VT_I4)
inline constexpr DISPID kSkinMaximum = 19;       // VT_R8 (progress bar: VT_I4)
inline constexpr DISPID kSkinSetRange = 20;      // method (minimum, maximum)
inline constexpr DISPID kSkinAddItem = 21;       // method (text [, data]) -> index; tab control: (text, tab id)
inline constexpr DISPID kSkinClear = 22;         // method
inline constexpr DISPID kSkinItemCount = 23;     // VT_I4
inline constexpr DISPID kSkinSelectedIndex = 24; // VT_I4, -1 when none
inline constexpr DISPID kSkinItemText = 25;      // property get (index) -> BSTR
inline constexpr DISPID kSkinItemData = 26;      // property get (index) -> BSTR
inline constexpr DISPID kSkinSecondText = 27;    // BSTR: a two-state choice's second state
inline constexpr DISPID kSkinCaret = 28;         // VT_I4: a text box's caret position
inline constexpr DISPID kSkinFolder = 29;        // BSTR "file::" path; put fails for a folder it cannot show
inline constexpr DISPID kSkinBrowse = 30;        // method (start folder, owner window, flags) -> BSTR, S_FALSE when none
inline constexpr DISPID kSkinSelectedTab = 31;   // BSTR: the tab identifier shown
inline constexpr DISPID kSkinWindow = -515;      // VT_I4: the control's window (DISPID_HWND)

// Button states; a bullet button in state 3 is hidden and cannot be clicked.
inline constexpr LONG kButtonNormal = 0;
inline constexpr LONG kButtonNotAvailable = 3;
// Check box states (three-state); a click moves a clear or mixed box to ticked, a ticked one to clear.
inline constexpr LONG kCheckClear = 0;
inline constexpr LONG kCheckMixed = 1;
inline constexpr LONG kCheckTicked = 2;
// A choice's state is 2 when selected; its value is 0 when selected and -1 when not.
inline constexpr LONG kChoiceSelected = 2;
inline constexpr LONG kChoiceValueSelected = 0;
inline constexpr LONG kChoiceValueClear = -1;

// Folder chooser flag: the chooser may offer to make a new folder.
inline constexpr LONG kFolderChooserNewFolder = 0x40000;

PLATFORM_DEFINE_GUID(CLSID_BulletButton, "{6A1C2E4F-3B7D-4E58-9C21-5D0F8A3B7E30}");
PLATFORM_DEFINE_GUID(CLSID_PushButton, "{6A1C2E4F-3B7D-4E58-9C21-5D0F8A3B7E31}");
PLATFORM_DEFINE_GUID(CLSID_CheckBox, "{6A1C2E4F-3B7D-4E58-9C21-5D0F8A3B7E32}");
PLATFORM_DEFINE_GUID(CLSID_Choice, "{6A1C2E4F-3B7D-4E58-9C21-5D0F8A3B7E33}");
PLATFORM_DEFINE_GUID(CLSID_TwoStateChoice, "{6A1C2E4F-3B7D-4E58-9C21-5D0F8A3B7E34}");
PLATFORM_DEFINE_GUID(CLSID_Heading, "{6A1C2E4F-3B7D-4E58-9C21-5D0F8A3B7E35}");
PLATFORM_DEFINE_GUID(CLSID_StaticText, "{6A1C2E4F-3B7D-4E58-9C21-5D0F8A3B7E36}");
PLATFORM_DEFINE_GUID(CLSID_NumberBox, "{6A1C2E4F-3B7D-4E58-9C21-5D0F8A3B7E37}");
PLATFORM_DEFINE_GUID(CLSID_TextBox, "{6A1C2E4F-3B7D-4E58-9C21-5D0F8A3B7E38}");
PLATFORM_DEFINE_GUID(CLSID_List, "{6A1C2E4F-3B7D-4E58-9C21-5D0F8A3B7E39}");
PLATFORM_DEFINE_GUID(CLSID_ComboBox, "{6A1C2E4F-3B7D-4E58-9C21-5D0F8A3B7E3A}");
PLATFORM_DEFINE_GUID(CLSID_ProgressBar, "{6A1C2E4F-3B7D-4E58-9C21-5D0F8A3B7E3B}");
PLATFORM_DEFINE_GUID(CLSID_TabControl, "{6A1C2E4F-3B7D-4E58-9C21-5D0F8A3B7E3C}");
PLATFORM_DEFINE_GUID(CLSID_FolderChooser, "{E0178C6B-A759-43B7-9312-C4C985373613}");

enum class SkinnedControlKind {
  bullet_button,
  push_button,
  check_box,
  choice,
  two_state_choice,
  heading,
  static_text,
  number_box,
  text_box,
  list,
  combo_box,
  progress_bar,
  tab_control,
  folder_chooser,
};

struct SkinnedControlClass {
  SkinnedControlKind kind;
  const CLSID* clsid;
  std::u16string_view prog_id;  // versioned; the version-independent form drops ".1"
};

inline constexpr std::array<SkinnedControlClass, 14> kSkinnedControlClasses{{
    {SkinnedControlKind::bullet_button, &CLSID_BulletButton, u"TSGSkin.BulletButton.1"},
    {SkinnedControlKind::push_button, &CLSID_PushButton, u"TSGSkin.PushButton.1"},
    {SkinnedControlKind::check_box, &CLSID_CheckBox, u"TSGSkin.CheckBox.1"},
    {SkinnedControlKind::choice, &CLSID_Choice, u"TSGSkin.Choice.1"},
    {SkinnedControlKind::two_state_choice, &CLSID_TwoStateChoice, u"TSGSkin.TwoStateChoice.1"},
    {SkinnedControlKind::heading, &CLSID_Heading, u"TSGSkin.Heading.1"},
    {SkinnedControlKind::static_text, &CLSID_StaticText, u"TSGSkin.StaticText.1"},
    {SkinnedControlKind::number_box, &CLSID_NumberBox, u"TSGSkin.NumberBox.1"},
    {SkinnedControlKind::text_box, &CLSID_TextBox, u"TSGSkin.TextBox.1"},
    {SkinnedControlKind::list, &CLSID_List, u"TSGSkin.List.1"},
    {SkinnedControlKind::combo_box, &CLSID_ComboBox, u"TSGSkin.ComboBox.1"},
    {SkinnedControlKind::progress_bar, &CLSID_ProgressBar, u"TSGSkin.ProgressBar.1"},
    {SkinnedControlKind::tab_control, &CLSID_TabControl, u"TSGSkin.TabControl.1"},
    {SkinnedControlKind::folder_chooser, &CLSID_FolderChooser, u"TSGSkin.FolderChooser.1"},
}};

}  // namespace host
