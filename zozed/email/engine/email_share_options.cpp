#include "zozed/email/engine/email_share_options.h"

#include <cstring>

#include "host/environment.h"
#include "platform/fileapi.h"
#include "platform/objbase.h"
#include "platform/shlobj.h"
#include "platform/support/bstr.h"
#include "platform/support/com_ptr.h"
#include "zozed/email/engine/email_options_key.h"

namespace zozed::email {
namespace {

constexpr DWORD kBooleanBufferBytes = 260;
constexpr char16_t kFallbackFolderName[] = u"For Email";

// A Boolean is present only as REG_SZ; any text but "Yes" reads as false.
bool read_boolean(HKEY key, const char* name, bool& field) {
  if (!key) return false;
  char buffer[kBooleanBufferBytes] = {};
  DWORD type = 0;
  DWORD size = sizeof(buffer);
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return false;
  buffer[sizeof(buffer) - 1] = '\0';
  field = std::strcmp(buffer, "Yes") == 0;
  return true;
}

bool read_number(HKEY key, const char* name, DWORD& field) {
  if (!key) return false;
  DWORD value = 0;
  DWORD type = 0;
  DWORD size = sizeof(value);
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(value))
    return false;
  field = value;
  return true;
}

// The data must leave room in a buffer of the capacity: exactly full counts as missing too. An
// empty location is never a choice (it was stored by a machine that had no pictures folder):
// it counts as missing, so that the default is worked out again.
bool read_location(HKEY key, std::u16string& field) {
  if (!key) return false;
  WCHAR buffer[EmailShareOptions::kSaveLocationCapacity] = {};
  DWORD type = 0;
  DWORD size = sizeof(buffer);
  auto* name = u"Save location";
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
      type != REG_SZ || size >= sizeof(buffer))
    return false;
  std::u16string text(buffer, size / sizeof(WCHAR));
  if (const auto end = text.find(u'\0'); end != std::u16string::npos) text.resize(end);
  if (text.empty()) return false;
  field = std::move(text);
  return true;
}

void write_boolean(HKEY key, const char* name, bool value) {
  const char* text = value ? "Yes" : "No";
  (void)RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       static_cast<DWORD>(std::strlen(text) + 1));
}

void write_number(HKEY key, const char* name, DWORD value) {
  (void)RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

}  // namespace

EmailShareOptions::EmailShareOptions() { Load(); }

EmailShareOptions::~EmailShareOptions() {
  if (key_) (void)RegCloseKey(key_);
}

std::u16string EmailShareOptions::DefaultSaveFolderName() const {
  platform::ComPtr<IClientEnvironment> environment;
  if (FAILED(CoCreateInstance(host::CLSID_ClientEnvironment, nullptr, CLSCTX_ALL, IID_IClientEnvironment,
                              environment.put_void())))
    return kFallbackFolderName;
  platform::Bstr name;
  if (FAILED(environment->GetHostString(kDefaultFolderNameString, name.put()))) return kFallbackFolderName;
  return std::u16string(name.view());
}

std::u16string EmailShareOptions::default_save_location() const {
  WCHAR pictures[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, SHGFP_TYPE_CURRENT, pictures))) return {};
  std::u16string location(pictures);
  if (location.empty()) return {};
  if (location.back() != u'\\') location += u'\\';
  location += DefaultSaveFolderName();
  (void)CreateDirectoryW(location.c_str(), nullptr);
  return location;
}

bool EmailShareOptions::open_key(bool create) {
  if (key_) return true;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kEmailOptionsKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
    key = nullptr;
    if (!create || RegCreateKeyExA(HKEY_CURRENT_USER, kEmailOptionsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
      return false;
  }
  key_ = key;
  return true;
}

void EmailShareOptions::Load() {
  open_key(false);
  bool complete = true;
  const auto boolean = [&](const char* name, bool& field, bool fallback) {
    if (!read_boolean(key_, name, field)) {
      field = fallback;
      complete = false;
    }
  };
  const auto number = [&](const char* name, DWORD& field, DWORD fallback) {
    if (!read_number(key_, name, field)) {
      field = fallback;
      complete = false;
    }
  };
  boolean(kWarnAboutAttachmentSize, warn_about_attachment_size, true);
  number(kAttachmentSizeLimit, attachment_size_limit, 1000);
  if (!read_location(key_, save_location)) {
    save_location = default_save_location();
    complete = false;
  }
  boolean(kSaveForLaterSending, save_for_later_sending, false);
  boolean(kEmbedInHtml, embed_in_html, true);
  boolean(kConvertToJpeg, convert_to_jpeg, true);
  number(kJpegOptimization, jpeg_optimization, 0);
  number(kScreenSize, screen_size, 1);
  number(kFileSize, file_size, 50);
  number(kSlideDuration, slide_duration, 5);
  boolean(kPlayAssociatedSounds, play_associated_sounds, true);
  boolean(kExtendSlideDuration, extend_slide_duration_to_sound_length, true);
  boolean(kFadeOutBackgroundSound, fade_out_background_sound, true);
  boolean(kLoopBackgroundSound, loop_background_sound, true);
  if (!complete) Save();
}

void EmailShareOptions::Save() {
  if (!open_key(true)) return;
  write_boolean(key_, kWarnAboutAttachmentSize, warn_about_attachment_size);
  write_number(key_, kAttachmentSizeLimit, attachment_size_limit);
  // An empty default (no pictures folder) is not stored for good: the next load works it out again.
  if (!save_location.empty() && save_location.size() < kSaveLocationCapacity)
    (void)RegSetValueExW(key_, u"Save location", 0, REG_SZ, reinterpret_cast<const BYTE*>(save_location.c_str()),
                         static_cast<DWORD>(save_location.size() * sizeof(WCHAR)));
  write_boolean(key_, kSaveForLaterSending, save_for_later_sending);
  write_boolean(key_, kEmbedInHtml, embed_in_html);
  write_boolean(key_, kConvertToJpeg, convert_to_jpeg);
  write_number(key_, kJpegOptimization, jpeg_optimization);
  write_number(key_, kScreenSize, screen_size);
  write_number(key_, kFileSize, file_size);
  write_number(key_, kSlideDuration, slide_duration);
  write_boolean(key_, kPlayAssociatedSounds, play_associated_sounds);
  write_boolean(key_, kExtendSlideDuration, extend_slide_duration_to_sound_length);
  write_boolean(key_, kFadeOutBackgroundSound, fade_out_background_sound);
  write_boolean(key_, kLoopBackgroundSound, loop_background_sound);
}

}  // namespace zozed::email
