// Import of the .reg text format. The whole file is parsed before anything is written, and
// the writes run in one transaction, so a bad line leaves the store as it was.
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/src/registry/registry_store.h"
#include "platform/src/registry/store_tree.h"
#include "platform/winnls.h"

namespace platform::registry {
namespace {

constexpr std::u16string_view kHeader = u"Windows Registry Editor Version 5.00";

struct Operation {
  enum class Kind { OpenKey, DeleteKey, SetValue, DeleteValue } kind;
  int line;
  Root root;
  std::u16string path;
  std::u16string name;
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

struct ParseError {
  int line;
  std::string message;
};

struct Line {
  int number;
  std::u16string text;
};

bool is_space(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view trim(std::u16string_view s) {
  while (!s.empty() && (is_space(s.front()) || s.front() == u'\r')) s.remove_prefix(1);
  while (!s.empty() && (is_space(s.back()) || s.back() == u'\r')) s.remove_suffix(1);
  return s;
}

bool valid_utf8(std::string_view bytes) { return platform::to_utf8(platform::from_utf8(bytes)) == bytes; }

// The file's text, split into lines numbered from 1.
std::vector<Line> decode(std::string_view bytes) {
  std::u16string text;
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
    bytes.remove_prefix(2);
    if (bytes.size() % 2) throw ParseError{0, "the UTF-16 text ends in the middle of a character"};
    text.resize(bytes.size() / 2);
    std::memcpy(text.data(), bytes.data(), bytes.size());
  } else {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    int number = 1;
    for (std::size_t start = 0; start <= bytes.size(); ++number) {
      const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
      if (!valid_utf8(bytes.substr(start, end - start)))
        throw ParseError{number, "not valid UTF-8 (a .reg file is UTF-8 or UTF-16 with a byte-order mark)"};
      start = end + 1;
    }
    text = platform::from_utf8(bytes);
  }
  std::vector<Line> lines;
  int number = 1;
  for (std::size_t start = 0; start <= text.size(); ++number) {
    const std::size_t end = std::min(text.find(u'\n', start), text.size());
    lines.push_back(Line{number, text.substr(start, end - start)});
    start = end + 1;
  }
  return lines;
}

std::string utf8(std::u16string_view s) { return platform::to_utf8(s); }

class Parser {
 public:
  explicit Parser(int line) : line_(line) {}

  [[noreturn]] void fail(const std::string& message) const { throw ParseError{line_, message}; }

  // A quoted string at the front of `s`, with \\ and \" unescaped; `s` moves past it.
  std::u16string quoted(std::u16string_view& s) const {
    std::u16string out;
    for (std::size_t i = 1; i < s.size(); ++i) {
      const char16_t c = s[i];
      if (c == u'"') {
        s.remove_prefix(i + 1);
        return out;
      }
      if (c == u'\\') {
        if (i + 1 == s.size()) break;
        const char16_t next = s[++i];
        if (next != u'\\' && next != u'"')
          fail("unknown escape \\" + utf8(std::u16string(1, next)) + " in a quoted string (only \\\\ and \\\" are allowed)");
        out += next;
      } else {
        out += c;
      }
    }
    fail("a quoted string has no closing quote");
  }

  // Nothing but spaces or a comment may follow the data.
  void end_of_line(std::u16string_view rest) const {
    rest = trim(rest);
    if (!rest.empty() && rest.front() != u';') fail("unexpected text after the value: " + utf8(rest));
  }

  static int hex_digit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
  }

  // `what` names the form in the message: "dword:" or "hex(type):".
  DWORD dword(std::u16string_view s, const char* what = "dword:") const {
    s = trim(s);
    if (const std::size_t semi = s.find(u';'); semi != std::u16string_view::npos) s = trim(s.substr(0, semi));
    if (s.empty() || s.size() > 8) fail(std::string(what) + " needs 1 to 8 hexadecimal digits");
    DWORD v = 0;
    for (const char16_t c : s) {
      const int d = hex_digit(c);
      if (d < 0) fail(std::string(what) + " needs 1 to 8 hexadecimal digits, not " + utf8(s));
      v = v << 4 | static_cast<DWORD>(d);
    }
    return v;
  }

  std::vector<BYTE> hex_bytes(std::u16string_view s) const {
    if (const std::size_t semi = s.find(u';'); semi != std::u16string_view::npos) s = s.substr(0, semi);
    std::vector<BYTE> out;
    s = trim(s);
    while (!s.empty()) {
      const std::size_t comma = s.find(u',');
      const std::u16string_view item = trim(s.substr(0, comma));
      if (item.empty() || item.size() > 2 || hex_digit(item[0]) < 0 || (item.size() == 2 && hex_digit(item[1]) < 0))
        fail("hex data must be bytes of two hexadecimal digits separated by commas, not \"" + utf8(item) + "\"");
      out.push_back(static_cast<BYTE>(item.size() == 2 ? hex_digit(item[0]) * 16 + hex_digit(item[1]) : hex_digit(item[0])));
      if (comma == std::u16string_view::npos) break;
      s = trim(s.substr(comma + 1));  // a trailing comma before the end is tolerated
    }
    return out;
  }

 private:
  int line_;
};

Operation key_line(const Line& line, std::u16string_view text) {
  const Parser p(line.number);
  if (text.back() != u']') p.fail("a key line must end with ]");
  Operation op{Operation::Kind::OpenKey, line.number, Root::CurrentUser, {}, {}, REG_NONE, {}};
  std::u16string_view name = text.substr(1, text.size() - 2);
  if (!name.empty() && name.front() == u'-') {
    op.kind = Operation::Kind::DeleteKey;
    name.remove_prefix(1);
  }
  if (!parse_key_name(name, op.root, op.path))
    p.fail("\"" + utf8(name) + "\" is not a key name: it must start with HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, "
           "HKEY_LOCAL_MACHINE or HKEY_USERS and have no empty part");
  if (op.kind == Operation::Kind::DeleteKey && op.path.empty()) p.fail("a root key cannot be deleted");
  return op;
}

Operation value_line(const Line& line, std::u16string_view text, const Operation& key) {
  const Parser p(line.number);
  Operation op{Operation::Kind::SetValue, line.number, key.root, key.path, {}, REG_SZ, {}};
  if (text.front() == u'@') text.remove_prefix(1);
  else if (text.front() == u'"') op.name = p.quoted(text);
  else p.fail("expected [key], \"name\"=, @= or a ; comment");
  text = trim(text);
  if (text.empty() || text.front() != u'=') p.fail("expected = after the value name");
  text = trim(text.substr(1));
  if (text.starts_with(u"-")) {
    p.end_of_line(text.substr(1));
    op.kind = Operation::Kind::DeleteValue;
  } else if (text.starts_with(u"\"")) {
    const std::u16string s = p.quoted(text);
    p.end_of_line(text);
    const auto* bytes = reinterpret_cast<const BYTE*>(s.c_str());
    op.data.assign(bytes, bytes + (s.size() + 1) * sizeof(WCHAR));
  } else if (text.starts_with(u"dword:")) {
    op.type = REG_DWORD;
    const DWORD v = p.dword(text.substr(6));
    op.data = {static_cast<BYTE>(v), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v >> 16), static_cast<BYTE>(v >> 24)};
  } else if (text.starts_with(u"hex:")) {
    op.type = REG_BINARY;
    op.data = p.hex_bytes(text.substr(4));
  } else if (text.starts_with(u"hex(")) {
    const std::size_t close = text.find(u"):");
    if (close == std::u16string_view::npos) p.fail("hex(type): needs the type in hexadecimal and \"):\"");
    op.type = p.dword(text.substr(4, close - 4), "hex(type):");
    op.data = p.hex_bytes(text.substr(close + 2));
  } else {
    p.fail("unknown data \"" + utf8(text.substr(0, 20)) + "\": expected \"text\", dword:, hex:, hex(n): or -");
  }
  return op;
}

std::vector<Operation> parse(std::string_view bytes) {
  const std::vector<Line> lines = decode(bytes);
  std::vector<Operation> ops;
  std::size_t i = 0;
  // The header comes first, after any blank lines.
  while (i < lines.size() && trim(lines[i].text).empty()) ++i;
  if (i == lines.size() || trim(lines[i].text) != kHeader)
    throw ParseError{i < lines.size() ? lines[i].number : 1,
                     "the file must start with \"Windows Registry Editor Version 5.00\""};
  std::optional<Operation> key;  // the key that values go into; none after a deletion
  for (++i; i < lines.size(); ++i) {
    Line logical{lines[i].number, std::u16string(trim(lines[i].text))};
    if (logical.text.empty() || logical.text.front() == u';') continue;
    // A trailing backslash continues the line on the next one.
    while (!logical.text.empty() && logical.text.back() == u'\\' && i + 1 < lines.size()) {
      logical.text.pop_back();
      logical.text += trim(lines[++i].text);
    }
    const std::u16string_view text = logical.text;
    if (text.empty()) continue;
    if (text.front() == u'[') {
      ops.push_back(key_line(logical, text));
      if (ops.back().kind == Operation::Kind::OpenKey) key = ops.back();
      else key.reset();
    } else {
      if (!key) Parser(logical.number).fail("a value must follow a [key] line");
      ops.push_back(value_line(logical, text, *key));
    }
  }
  return ops;
}

LONG apply(RegistryStore& store, const Operation& op) {
  bool created = false;
  switch (op.kind) {
    case Operation::Kind::OpenKey:
      return op.path.empty() ? ERROR_SUCCESS : store.create_key(op.root, op.path, created);
    case Operation::Kind::DeleteKey:
      if (store.key_exists(op.root, op.path) != ERROR_SUCCESS) return ERROR_SUCCESS;
      return delete_tree(store, op.root, op.path, false);
    case Operation::Kind::SetValue:
      return store.set_value(op.root, op.path, op.name, op.type, op.data);
    case Operation::Kind::DeleteValue: {
      const LONG rc = store.delete_value(op.root, op.path, op.name);
      return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
    }
  }
  return ERROR_INVALID_PARAMETER;
}

}  // namespace

LONG import_reg(RegistryStore& store, std::string_view bytes, std::string& error) {
  std::vector<Operation> ops;
  try {
    ops = parse(bytes);
  } catch (const ParseError& e) {
    error = e.line ? "line " + std::to_string(e.line) + ": " + e.message : e.message;
    return ERROR_INVALID_DATA;
  }
  int failed_line = 0;
  const LONG rc = store.transact([&]() -> LONG {
    for (const Operation& op : ops) {
      if (const LONG r = apply(store, op); r != ERROR_SUCCESS) {
        failed_line = op.line;
        return r;
      }
    }
    return ERROR_SUCCESS;
  });
  if (rc != ERROR_SUCCESS)
    error = (failed_line ? "line " + std::to_string(failed_line) + ": " : std::string()) +
            "the store refused the change (error " + std::to_string(rc) + "); nothing was imported";
  return rc;
}

}  // namespace platform::registry
