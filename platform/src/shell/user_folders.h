// The user's folders as the XDG base and user directories name them.
#pragma once

#include <string>
#include <string_view>

namespace platform::shell {

// $HOME, else the password database's home folder.
std::string home_folder();
// XDG_<NAME>_DIR from $XDG_CONFIG_HOME/user-dirs.dirs (~/.config when unset), else
// ~/<fallback>. `name` is e.g. "PICTURES".
std::string user_dir(std::string_view name, std::string_view fallback);
// $XDG_CONFIG_HOME or ~/.config; $XDG_DATA_HOME or ~/.local/share.
std::string config_home();
std::string data_home();

}  // namespace platform::shell
