// The registrar's script language: whitespace-separated words, 'quoted text' with '' for a
// quote, %NAME% replaced inside either, braces and '=' as words of their own.
#include <cstddef>

#include "platform/src/registrar/script_tree.h"
#include "platform/src/registry/name_compare.h"

namespace platform::registrar {
namespace {

using registry::same_name;

struct Token {
  std::u16string text;
  bool quoted = false;

  bool is(std::u16string_view word) const { return !quoted && text == word; }
  bool is_keyword(std::u16string_view word) const { return !quoted && same_name(text, word); }
  bool is_punctuation() const { return is(u"{") || is(u"}") || is(u"="); }
};

bool is_space(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

bool replace(std::u16string_view raw, const RegistrarReplacements& replacements, std::u16string& out) {
  out.clear();
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != u'%') {
      out += raw[i];
      continue;
    }
    const std::size_t end = raw.find(u'%', i + 1);
    if (end == std::u16string_view::npos) return false;
    const std::u16string_view name = raw.substr(i + 1, end - i - 1);
    if (name.empty()) {
      out += u'%';
    } else {
      const RegistrarReplacement* found = nullptr;
      for (const auto& r : replacements)
        if (same_name(r.name, name)) found = &r;
      if (!found) return false;
      out += found->text;
    }
    i = end;
  }
  return true;
}

class Parser {
 public:
  Parser(std::u16string_view script, const RegistrarReplacements& replacements)
      : script_(script), replacements_(replacements) {}

  bool parse(std::vector<ScriptRoot>& roots) {
    Token token;
    while (next(token)) {
      ScriptRoot root;
      if (!root_key(token, root.key) || !expect(u"{") || !key_body(root.items, true)) return false;
      roots.push_back(std::move(root));
    }
    return ok_;
  }

 private:
  // False at the end of the script or on a malformed word (ok_ tells which).
  bool next(Token& token) {
    if (peeked_) {
      token = std::move(*peeked_);
      peeked_.reset();
      return true;
    }
    while (pos_ < script_.size() && is_space(script_[pos_])) ++pos_;
    if (pos_ >= script_.size()) return false;
    std::u16string raw;
    token.quoted = script_[pos_] == u'\'';
    if (token.quoted) {
      for (++pos_;; ++pos_) {
        if (pos_ >= script_.size()) return fail();
        if (script_[pos_] == u'\'') {
          if (pos_ + 1 < script_.size() && script_[pos_ + 1] == u'\'') {
            raw += u'\'';
            ++pos_;
            continue;
          }
          ++pos_;
          break;
        }
        raw += script_[pos_];
      }
    } else {
      while (pos_ < script_.size() && !is_space(script_[pos_])) raw += script_[pos_++];
    }
    if (!replace(raw, replacements_, token.text)) return fail();
    return true;
  }

  bool peek_is(std::u16string_view word) {
    if (!peeked_) {
      Token token;
      if (!next(token)) return false;
      peeked_ = std::move(token);
    }
    return peeked_->is(word);
  }

  bool fail() {
    ok_ = false;
    return false;
  }

  bool expect(std::u16string_view word) {
    Token token;
    return next(token) && token.is(word) ? true : fail();
  }

  bool name(Token& token) { return next(token) && !token.is_punctuation() && !token.text.empty() ? true : fail(); }

  bool root_key(const Token& token, HKEY& key) {
    static const struct {
      std::u16string_view short_name, long_name;
      HKEY key;
    } kRoots[] = {{u"HKCR", u"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
                  {u"HKCU", u"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
                  {u"HKLM", u"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
                  {u"HKU", u"HKEY_USERS", HKEY_USERS}};
    for (const auto& root : kRoots) {
      if (token.is_keyword(root.short_name) || token.is_keyword(root.long_name)) {
        key = root.key;
        return true;
      }
    }
    return fail();
  }

  bool value(ScriptValue& out) {
    Token type;
    Token text;
    if (!next(type) || !next(text) || !text.quoted) return fail();
    out.text = text.text;
    if (type.is_keyword(u"s")) {
      out.type = REG_SZ;
      return true;
    }
    if (type.is_keyword(u"d")) {
      out.type = REG_DWORD;
      return number(out.text, out.number) ? true : fail();
    }
    return fail();
  }

  static bool number(std::u16string_view text, DWORD& out) {
    unsigned base = 10;
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
      base = 16;
      text.remove_prefix(2);
    }
    if (text.empty()) return false;
    unsigned long long n = 0;
    for (char16_t c : text) {
      unsigned digit;
      if (c >= u'0' && c <= u'9')
        digit = c - u'0';
      else if (base == 16 && c >= u'a' && c <= u'f')
        digit = c - u'a' + 10;
      else if (base == 16 && c >= u'A' && c <= u'F')
        digit = c - u'A' + 10;
      else
        return false;
      n = n * base + digit;
      if (n > 0xFFFFFFFFull) return false;
    }
    out = static_cast<DWORD>(n);
    return true;
  }

  // The items up to the closing brace; a root's body holds keys only.
  bool key_body(std::vector<ScriptItem>& items, bool at_root) {
    for (;;) {
      Token token;
      if (!next(token)) return fail();
      if (token.is(u"}")) return true;
      ScriptItem item;
      if (token.is_keyword(u"val")) {
        if (at_root) return fail();
        item.is_value = true;
        if (!name(token)) return false;
        item.name = token.text;
        item.value.emplace();
        if (!expect(u"=") || !value(*item.value)) return false;
        items.push_back(std::move(item));
        continue;
      }
      if (token.is_keyword(u"NoRemove"))
        item.flag = KeyFlag::NoRemove;
      else if (token.is_keyword(u"ForceRemove"))
        item.flag = KeyFlag::ForceRemove;
      else if (token.is_keyword(u"Delete"))
        item.flag = KeyFlag::Delete;
      if (item.flag != KeyFlag::Plain && !name(token)) return false;
      if (token.is_punctuation() || token.text.empty()) return fail();
      item.name = token.text;
      if (peek_is(u"=")) {
        next(token);
        item.value.emplace();
        if (!value(*item.value)) return false;
      }
      if (!ok_) return false;
      if (peek_is(u"{")) {
        next(token);
        if (!key_body(item.items, false)) return false;
      }
      if (!ok_) return false;
      items.push_back(std::move(item));
    }
  }

  std::u16string_view script_;
  const RegistrarReplacements& replacements_;
  std::size_t pos_ = 0;
  std::optional<Token> peeked_;
  bool ok_ = true;
};

}  // namespace

bool parse_script(std::u16string_view script, const RegistrarReplacements& replacements,
                  std::vector<ScriptRoot>& roots) {
  std::vector<ScriptRoot> parsed;
  if (!Parser(script, replacements).parse(parsed)) return false;
  roots = std::move(parsed);
  return true;
}

}  // namespace platform::registrar
