// Dialog init data (host resource type 240): what the control-host children of a dialog
// template are set up with once created. A sequence of records {WORD control id, WORD
// message, DWORD byte count, bytes}, ending with a control id of 0. A record of message
// kInitDataProperties holds UTF-16 lines "Name=Value" (separated by CR LF) that are put, by
// name, as properties of the ActiveX control hosted by the child with that id.
#pragma once

#include "platform/windef.h"

namespace host {
inline constexpr WORD kInitDataProperties = 0x0401;
}  // namespace host
