// Where photo conversion reports how far it got, as a percentage 0..100 (the share pane).
#pragma once

#include "platform/windef.h"

namespace zozed::email {

class PreparationProgress {
 public:
  virtual void ReportProgress(LONG percent) = 0;

 protected:
  ~PreparationProgress() = default;
};

}  // namespace zozed::email
