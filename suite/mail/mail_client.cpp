#include "suite/mail/mail_client.h"

#include <gio/gio.h>

#include <memory>

#include "platform/winnls.h"

namespace suite::mail {
namespace {

struct Unref {
  void operator()(gpointer object) const noexcept { g_object_unref(object); }
};

// An Exec line as GIO expands it: shell-like quoting, field codes left for the caller.
std::vector<std::string> split_exec(const char* commandline) {
  std::vector<std::string> out;
  if (!commandline) return out;
  gint argc = 0;
  gchar** argv = nullptr;
  if (!g_shell_parse_argv(commandline, &argc, &argv, nullptr)) return out;
  for (gint i = 0; i < argc; ++i) out.emplace_back(argv[i]);
  g_strfreev(argv);
  return out;
}

}  // namespace

std::optional<MailtoHandler> default_mailto_handler() {
  std::unique_ptr<GAppInfo, Unref> app(g_app_info_get_default_for_uri_scheme("mailto"));
  if (!app) return std::nullopt;
  MailtoHandler handler;
  if (const char* id = g_app_info_get_id(app.get())) handler.desktop_id = id;
  if (const char* name = g_app_info_get_display_name(app.get())) handler.name = name;
  handler.exec = split_exec(g_app_info_get_commandline(app.get()));
  if (handler.name.empty()) handler.name = handler.desktop_id;
  return handler;
}

MailClient detect_mail_client(const std::optional<std::u16string>& configured_name, bool can_embed) {
  MailClient client;
  client.can_embed = can_embed;
  if (configured_name) {
    client.name = *configured_name;
    return client;
  }
  client.name = kOutboxClientName;
  auto handler = default_mailto_handler();
  if (!handler) return client;
  const ComposeStyle style = compose_style_of(handler->exec, handler->desktop_id);
  if (style == ComposeStyle::none || handler->exec.empty()) {
    client.unusable_handler = handler->name;
    return client;
  }
  client.name = platform::from_utf8(handler->name);
  client.style = style;
  client.handler = std::move(*handler);
  return client;
}

}  // namespace suite::mail
