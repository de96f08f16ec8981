// EmailSendSettings: the older e-mail record of the host's option page, with short value names,
// all 32-bit numbers; it never writes its defaults by itself.
#pragma once

#include "host/environment.h"
#include "platform/support/com_ptr.h"
#include "platform/windef.h"

namespace zozed::email {

class EmailSendSettings {
 public:
  static constexpr char kOptimization[] = "Optimization";
  static constexpr char kResolution[] = "Resolution";
  static constexpr char kMaxSizePhoto[] = "Max Size Photo";
  static constexpr char kWarnAttExceeds[] = "Warn Att Exceeds";
  static constexpr char kMaxSizeAtt[] = "Max Size Att";
  static constexpr char kMethodSend[] = "MethodSend";
  static constexpr char kSendOptions[] = "Send Options";

  EmailSendSettings();

  void Load();
  void Save() const;

  DWORD optimization = 0;
  DWORD resolution = 0;
  DWORD max_size_photo = 50;
  DWORD warn_att_exceeds = 0;
  DWORD max_size_att = 1024;
  DWORD method_send = 1;
  DWORD send_options = 0;
  // Null when the host's environment could not be created.
  platform::ComPtr<IClientEnvironment> environment;
};

}  // namespace zozed::email
