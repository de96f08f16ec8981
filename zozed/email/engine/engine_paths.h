// Path forms the engine moves between: the host's "file::" form, the plain Windows form that
// the file functions take, and the user's temporary folder where prepared files go.
#pragma once

#include <string>
#include <string_view>

namespace zozed::email {

// GetTempPathW, with its trailing backslash; empty when it fails.
std::u16string TemporaryFolder();

// The path without its protocol prefix.
std::u16string PlainPath(std::u16string_view path);
// The path under the "file" protocol, whatever protocol it had.
std::u16string FileProtocolPath(std::u16string_view path);

// Base name and extension (without its dot) of the path's file.
std::u16string BaseNameOf(std::u16string_view path);
std::u16string ExtensionOf(std::u16string_view path);
// The extension with its dot, empty when the file has none.
std::u16string DottedExtensionOf(std::u16string_view path);
// Name and extension without the folder.
std::u16string FileNameOf(std::u16string_view path);

}  // namespace zozed::email
