// Builds a code page's tables by asking iconv about every byte, byte pair and BMP character once.
#include "platform/src/text/code_page_table.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <mutex>

#include "platform/src/text/unicode_data.h"
#include "platform/winnls.h"

namespace platform::text {

namespace {

struct KnownCodePage {
  UINT code_page;
  const char* iconv_name;
  bool windows_ansi;  // undefined bytes 0x80-0x9F decode to the C1 control of the same value
  char16_t unicode_default;
};

constexpr KnownCodePage kKnown[] = {
    {437, "CP437", false, u'?'},        {850, "CP850", false, u'?'},        {932, "CP932", true, u'\x30FB'},
    {936, "CP936", true, u'?'},         {949, "CP949", true, u'?'},         {950, "CP950", true, u'?'},
    {1250, "CP1250", true, u'?'},       {1251, "CP1251", true, u'?'},       {1252, "CP1252", true, u'?'},
    {1253, "CP1253", true, u'?'},       {1254, "CP1254", true, u'?'},       {1255, "CP1255", true, u'?'},
    {1256, "CP1256", true, u'?'},       {1257, "CP1257", true, u'?'},       {1258, "CP1258", true, u'?'},
    {10000, "MACINTOSH", false, u'?'},
};
constexpr std::size_t kKnownCount = sizeof(kKnown) / sizeof(kKnown[0]);

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts all of `in` from a fresh state. Returns the output size, or -1 with the errno of
  // the failure (EINVAL: the input ends inside a character).
  int run(const char* in, std::size_t n, char* out, std::size_t cap, int& error) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in);
    char* dst = out;
    std::size_t in_left = n, out_left = cap;
    if (iconv(cd_, &src, &in_left, &dst, &out_left) == static_cast<std::size_t>(-1) ||
        iconv(cd_, nullptr, nullptr, &dst, &out_left) == static_cast<std::size_t>(-1)) {
      error = errno;
      return -1;
    }
    return static_cast<int>(cap - out_left);
  }

 private:
  iconv_t cd_;
};

char16_t utf16_unit(const char* p) {
  return static_cast<char16_t>(static_cast<unsigned char>(p[0]) | (static_cast<unsigned char>(p[1]) << 8));
}

void build_decoding(const KnownCodePage& known, Converter& decoder, CodePageTable& t) {
  char out[16];
  int error = 0;
  for (int b = 0; b < 256; ++b) {
    const char in = static_cast<char>(b);
    if (decoder.run(&in, 1, out, sizeof out, error) == 2) {
      t.single[b] = utf16_unit(out);
      t.single_valid.set(b);
    } else if (error == EINVAL) {
      t.lead_byte.set(b);
    } else if (known.windows_ansi && b >= 0x80 && b <= 0x9F) {
      t.single[b] = static_cast<char16_t>(b);
      t.single_valid.set(b);
    }
  }
  t.double_byte = t.lead_byte.any();
  if (!t.double_byte) return;
  t.pair.assign(0x10000, 0);
  for (int lead = 0; lead < 256; ++lead) {
    if (!t.lead_byte.test(lead)) continue;
    for (int trail = 0x30; trail < 256; ++trail) {
      const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      if (decoder.run(in, 2, out, sizeof out, error) == 2) t.pair[(lead << 8) | trail] = utf16_unit(out);
    }
  }
}

char16_t decode_value(const CodePageTable& t, std::uint16_t value) {
  if (value < 0x100) return t.single_valid.test(value) ? t.single[value] : char16_t{0xFFFF};
  const char16_t c = t.pair[value];
  return c ? c : char16_t{0xFFFF};
}

void build_encoding(Converter* encoder, CodePageTable& t) {
  t.encode.assign(0x10000, CodePageTable::kUnmapped);
  if (encoder) {
    // Double-byte pages: iconv picks among duplicate codes and knows the one-way mappings.
    char out[16];
    int error = 0;
    for (std::uint32_t c = 0; c < 0x10000; ++c) {
      if (c >= 0xD800 && c <= 0xDFFF) continue;
      const char in[2] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
      const int len = encoder->run(in, 2, out, sizeof out, error);
      std::uint16_t value;
      if (len == 1)
        value = static_cast<unsigned char>(out[0]);
      else if (len == 2 && t.lead_byte.test(static_cast<unsigned char>(out[0])))
        value = static_cast<std::uint16_t>((static_cast<unsigned char>(out[0]) << 8) | static_cast<unsigned char>(out[1]));
      else
        continue;
      t.encode[c] = value;
      if (decode_value(t, value) != c) t.best_fit.set(c);
    }
  }
  // Whatever decodes also encodes back (this covers single-byte pages entirely).
  for (int b = 0; b < 256; ++b) {
    const char16_t c = t.single[b];
    if (t.single_valid.test(b) && (t.encode[c] == CodePageTable::kUnmapped || t.best_fit.test(c))) {
      t.encode[c] = static_cast<std::uint16_t>(b);
      t.best_fit.reset(c);
    }
  }
  for (std::uint32_t v = 0x100; v < t.pair.size(); ++v) {
    const char16_t c = t.pair[v];
    if (c && (t.encode[c] == CodePageTable::kUnmapped || t.best_fit.test(c))) {
      t.encode[c] = static_cast<std::uint16_t>(v);
      t.best_fit.reset(c);
    }
  }
  // Look-alikes: a letter whose marks are dropped maps to its base letter when that is exact.
  for (std::size_t i = 0; i < kBestFitBaseCount; ++i) {
    const auto [c, base] = kBestFitBases[i];
    if (t.encode[c] == CodePageTable::kUnmapped && t.encode[base] != CodePageTable::kUnmapped &&
        !t.best_fit.test(base)) {
      t.encode[c] = t.encode[base];
      t.best_fit.set(c);
    }
  }
}

std::unique_ptr<CodePageTable> build(const KnownCodePage& known) {
  Converter decoder("UTF-16LE", known.iconv_name);
  if (!decoder.ok()) return nullptr;
  auto t = std::make_unique<CodePageTable>();
  t->code_page = known.code_page;
  t->unicode_default = known.unicode_default;
  build_decoding(known, decoder, *t);
  if (t->double_byte) {
    Converter encoder(known.iconv_name, "UTF-16LE");
    if (!encoder.ok()) return nullptr;
    build_encoding(&encoder, *t);
  } else {
    build_encoding(nullptr, *t);
  }
  return t;
}

struct Slot {
  std::once_flag once;
  std::unique_ptr<CodePageTable> table;
};

std::array<Slot, kKnownCount>& slots() {
  static std::array<Slot, kKnownCount> s;
  return s;
}

}  // namespace

const CodePageTable* code_page_table(UINT code_page) {
  for (std::size_t i = 0; i < kKnownCount; ++i) {
    if (kKnown[i].code_page != code_page) continue;
    Slot& slot = slots()[i];
    std::call_once(slot.once, [&] { slot.table = build(kKnown[i]); });
    return slot.table.get();
  }
  return nullptr;
}

bool is_supported_code_page(UINT code_page) { return code_page == CP_UTF8 || code_page_table(code_page); }

}  // namespace platform::text
