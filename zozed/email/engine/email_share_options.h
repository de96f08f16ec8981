// EmailShareOptions: the per-user options of the e-mail workflow, loaded from and saved to the
// fixed e-mail options key; an incomplete key is completed with the defaults on load.
#pragma once

#include <string>

#include "platform/windef.h"
#include "platform/winreg.h"

namespace zozed::email {

class EmailShareOptions {
 public:
  // Value names, in the order they are read and written.
  static constexpr char kWarnAboutAttachmentSize[] = "Warn about attachment size";
  static constexpr char kAttachmentSizeLimit[] = "Attachment size limit";
  static constexpr char kSaveLocation[] = "Save location";
  static constexpr char kSaveForLaterSending[] = "Save for later sending";
  static constexpr char kEmbedInHtml[] = "Embed in HTML";
  static constexpr char kConvertToJpeg[] = "Convert to JPEG";
  static constexpr char kJpegOptimization[] = "JPEG Optimization";
  static constexpr char kScreenSize[] = "Screen size";
  static constexpr char kFileSize[] = "File size";
  static constexpr char kSlideDuration[] = "Slide duration";
  static constexpr char kPlayAssociatedSounds[] = "Play associated sounds";
  static constexpr char kExtendSlideDuration[] = "Extend slide duration to sound length";
  static constexpr char kFadeOutBackgroundSound[] = "Fade out background sound";
  static constexpr char kLoopBackgroundSound[] = "Loop background sound";

  // Wide characters a stored save location must stay below to be read or written.
  static constexpr DWORD kSaveLocationCapacity = 2080;
  static constexpr LONG kDefaultFolderNameString = 62602;

  EmailShareOptions();
  EmailShareOptions(const EmailShareOptions&) = delete;
  EmailShareOptions& operator=(const EmailShareOptions&) = delete;
  virtual ~EmailShareOptions();

  // The sub-folder of My Pictures that the default save location names.
  virtual std::u16string DefaultSaveFolderName() const;

  void Load();
  void Save();

  bool warn_about_attachment_size = true;
  DWORD attachment_size_limit = 1000;
  std::u16string save_location;
  bool save_for_later_sending = false;
  bool embed_in_html = true;
  bool convert_to_jpeg = true;
  DWORD jpeg_optimization = 0;
  DWORD screen_size = 1;
  DWORD file_size = 50;
  DWORD slide_duration = 5;
  bool play_associated_sounds = true;
  bool extend_slide_duration_to_sound_length = true;
  bool fade_out_background_sound = true;
  bool loop_background_sound = true;

 private:
  bool open_key(bool create);
  std::u16string default_save_location() const;

  HKEY key_ = nullptr;
};

}  // namespace zozed::email
