// The process-wide locale profile, built from the POSIX locale on first use.
#include "platform/src/locale/current_profile.h"

#include <mutex>

#include "platform/winnls.h"

namespace platform {

namespace {

std::mutex g_mutex;
std::shared_ptr<const LocaleProfile> g_profile;

std::shared_ptr<const LocaleProfile> exchange(std::shared_ptr<const LocaleProfile> next) {
  std::lock_guard lock(g_mutex);
  g_profile.swap(next);
  return next;
}

}  // namespace

std::shared_ptr<const LocaleProfile> current_locale_profile() {
  {
    std::lock_guard lock(g_mutex);
    if (g_profile) return g_profile;
  }
  // Built outside the lock: reading the POSIX locale may take a while; the first to finish wins.
  auto built = std::make_shared<const LocaleProfile>(LocaleProfile::from_environment());
  std::lock_guard lock(g_mutex);
  if (!g_profile) g_profile = std::move(built);
  return g_profile;
}

void set_locale_profile(LocaleProfile profile) {
  exchange(std::make_shared<const LocaleProfile>(std::move(profile)));
}

ScopedLocaleProfile::ScopedLocaleProfile(LocaleProfile profile)
    : previous_(exchange(std::make_shared<const LocaleProfile>(std::move(profile)))) {}

ScopedLocaleProfile::~ScopedLocaleProfile() { exchange(std::move(previous_)); }

namespace locale {

std::shared_ptr<const LocaleProfile> profile_for(LCID lcid) {
  switch (lcid) {
    case LOCALE_USER_DEFAULT:
    case LOCALE_SYSTEM_DEFAULT:
    case LOCALE_NEUTRAL:
    case LOCALE_CUSTOM_DEFAULT:
      return current_locale_profile();
    default: break;
  }
  auto current = current_locale_profile();
  if ((current->lcid & 0xFFFF) == (lcid & 0xFFFF)) return current;
  if (auto known = LocaleProfile::built_in(lcid)) return std::make_shared<const LocaleProfile>(std::move(*known));
  return nullptr;
}

}  // namespace locale

}  // namespace platform

extern "C" LCID WINAPI GetUserDefaultLCID() { return platform::current_locale_profile()->lcid; }

extern "C" LCID WINAPI GetSystemDefaultLCID() { return platform::current_locale_profile()->lcid; }

extern "C" BOOL WINAPI IsValidLocale(LCID Locale, DWORD dwFlags) {
  if (dwFlags != LCID_INSTALLED && dwFlags != LCID_SUPPORTED) return FALSE;
  // The default LCIDs are placeholders, not locales.
  if (Locale == LOCALE_USER_DEFAULT || Locale == LOCALE_SYSTEM_DEFAULT || Locale == LOCALE_NEUTRAL ||
      Locale == LOCALE_CUSTOM_DEFAULT)
    return FALSE;
  return platform::locale::profile_for(Locale) ? TRUE : FALSE;
}
