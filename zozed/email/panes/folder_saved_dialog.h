// FolderSavedDialog: tells the user where the items saved for later sending went, and offers
// to open that folder in the file browser or to copy its path.
#pragma once

#include <string>

#include "zozed/toolkit/dialog_frame.h"

namespace zozed {

class FolderSavedDialog final : public toolkit::DialogFrame {
 public:
  explicit FolderSavedDialog(std::u16string folder) : folder_(std::move(folder)) {}

  // Runs the host's dialog modally over `owner`: 1 when closed by its button, -1 when it
  // cannot be built.
  INT_PTR Run(HWND owner);

 protected:
  void OnInitDialog() override;
  void OnChildEvent(int control_id, DISPID event, const DISPPARAMS& args) override;

 private:
  void open_in_browser() const;
  void copy_to_clipboard() const;

  std::u16string folder_;
};

}  // namespace zozed
