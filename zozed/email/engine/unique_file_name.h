// Free file names in a folder for prepared copies: "base.ext", then "base (k).ext", or
// "QRNESn.ext" for files without a name.
#pragma once

#include <string>
#include <string_view>

namespace zozed::email {

// `folder` ends in a backslash; `extension` includes its dot. The name only, without the folder;
// empty when every candidate up to the millionth exists.
std::u16string MakeUniqueFileName(std::u16string_view folder, std::u16string_view extension,
                                  std::u16string_view base_name);

}  // namespace zozed::email
