// The fixed per-user key below HKEY_CURRENT_USER that holds both e-mail option records.
#pragma once

namespace zozed::email {

inline constexpr char kEmailOptionsKey[] =
    "Software\\Quarn\\Tessagram7\\QuarnTessagram\\Client\\Options"
    "\\TSGShare\\EmailOptions";

}  // namespace zozed::email
