// Identifiers of the pane messages that panes send each other through ReceiveMessage,
// compared exactly (case-sensitive).
#pragma once

namespace host {
// value: the media items; extra: VT_I4 step number of the receiving pane.
inline constexpr char16_t kItemsAndStep[] = u"{88155962-E7A0-4B40-A626-22A02EBCEE3D}";
// The receiver was reached from an earlier pane (Back is possible).
inline constexpr char16_t kCameFromPane[] = u"{CC34E6E0-FA86-474F-B31F-FD43BC02A2E3}";
// The task returns to its caller when done.
inline constexpr char16_t kReturnToCaller[] = u"{14F92965-39F8-4C19-B8D3-3268FFD371B5}";
// value: VT_I2 0 handed to the mail client, -1 saved for later; extra: the folder written.
inline constexpr char16_t kSendOutcome[] = u"{DDD04973-794D-4D3D-9CA6-67D0A3F95842}";
// value: the items now in the tray (broadcast to every pane).
inline constexpr char16_t kTrayChanged[] = u"{0CF0B92C-72F2-4DA7-A695-B90A66121209}";
// value and extra: the items a pane reports back to the entry pane (broadcast).
inline constexpr char16_t kItemsReport[] = u"{FF19A913-AC72-4C95-AB63-E41153DDCD63}";
}  // namespace host
