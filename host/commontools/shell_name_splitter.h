// Splits a path into protocol, separator, location, file name and extension, and composes the
// components selected by a flag word back into a path.
//
// Model: [protocol "::"] location name ["." extension]. The location is the device (a drive "C:"
// or a share "\\server\share") and folders with the trailing backslash; the separator is "::"
// after a protocol, else ":" when the location starts with a drive (that colon is the drive's
// own, so Compose writes it once), else empty.
#pragma once

#include <string>
#include <string_view>

#include "host/commontools/export.h"
#include "platform/windef.h"

// Component bits of a flag word.
inline constexpr DWORD ZEB_SPLIT_PROTOCOL = 1;
inline constexpr DWORD ZEB_SPLIT_SEPARATOR = 2;
inline constexpr DWORD ZEB_SPLIT_LOCATION = 4;
inline constexpr DWORD ZEB_SPLIT_FILENAME = 8;
inline constexpr DWORD ZEB_SPLIT_EXTENSION = 32;
inline constexpr DWORD ZEB_SPLIT_ALL = 47;

class CTGCOMMONTOOLS_API CZEBShellNameSplitter {
 public:
  CZEBShellNameSplitter() = default;
  // A null path splits like an empty one.
  CZEBShellNameSplitter(const WCHAR* path, DWORD flags);
  CZEBShellNameSplitter(std::u16string_view path, DWORD flags);

  // Components not selected by flags are left empty. Without the protocol bit the separator is
  // the one that follows the drive (":" or nothing), so Split(path, 46) gives the plain path.
  // "\" and "/" both separate folders; the text keeps whichever was written.
  void Split(const WCHAR* path, DWORD flags);
  void Split(std::u16string_view path, DWORD flags);

  // The selected components joined in order. The extension follows a "." only when the name is
  // selected too, and not at all when it is empty.
  std::u16string Compose(DWORD flags) const;

  const std::u16string& GetProtocol() const noexcept { return protocol_; }
  const std::u16string& GetSeparator() const noexcept { return separator_; }
  // The drive ("C:") or share ("\\server\share") the location starts with; empty otherwise.
  const std::u16string& GetDevice() const noexcept { return device_; }
  const std::u16string& GetPath() const noexcept { return location_; }
  const std::u16string& GetFileName() const noexcept { return name_; }
  const std::u16string& GetExtension() const noexcept { return extension_; }

  // A trailing "::" is dropped ("file::" sets "file"); the separator follows the new protocol.
  void SetProtocol(std::u16string_view protocol);
  // A folder without its trailing separator gets a backslash; device and separator follow.
  void SetPath(std::u16string_view location);
  void SetFileName(std::u16string_view name);
  // A leading dot is dropped (".WMV" sets "WMV").
  void SetExtension(std::u16string_view extension);

 private:
  void update_separator();

  std::u16string protocol_;
  std::u16string separator_;
  std::u16string device_;
  std::u16string location_;
  std::u16string name_;
  std::u16string extension_;
};
