// Strict recording fakes of the host's objects (media services, image objects, the attachment
// resolver, the slide-show check, the message service, the environment, the mail service) over
// one HostWorld that each test seeds; HostClasses makes them the classes CoCreateInstance finds.
// Calls are logged in order; a call the world was not seeded for fails the test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "host/attachment_resolver.h"
#include "host/environment.h"
#include "host/image_object.h"
#include "host/mail_service.h"
#include "host/media_items.h"
#include "host/media_services.h"
#include "host/message_service.h"
#include "platform/path_mapping.h"
#include "platform/support/bstr.h"
#include "platform/support/dispatch_object.h"
#include "platform/support/safe_array.h"
#include "tests/fakes/registered_class.h"

namespace fakes {

inline std::string narrow(std::u16string_view text) {
  std::string out;
  for (const char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

inline std::u16string text_of(BSTR b) { return b ? std::u16string(b, SysStringLen(b)) : std::u16string(); }

inline HRESULT give(std::u16string_view text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = platform::Bstr(text).detach();
  return S_OK;
}

// The texts of a VT_ARRAY | VT_BSTR, in order.
inline std::vector<std::u16string> strings_of(const VARIANT& array) {
  std::vector<std::u16string> out;
  if (array.vt != (VT_ARRAY | VT_BSTR)) return out;
  auto view = platform::SafeArray::attach(array.parray);
  for (LONG i = 0; i < static_cast<LONG>(view.size()); ++i) {
    platform::Bstr text;
    EXPECT_EQ(view.get_element(i, text), S_OK);
    out.emplace_back(text.view());
  }
  (void)view.detach();
  return out;
}

// The numbers of a VT_ARRAY | VT_I4, in order.
inline std::vector<LONG> longs_of(const VARIANT& array) {
  std::vector<LONG> out;
  if (array.vt != (VT_ARRAY | VT_I4)) return out;
  auto view = platform::SafeArray::attach(array.parray);
  for (LONG i = 0; i < static_cast<LONG>(view.size()); ++i) {
    LONG value = 0;
    EXPECT_EQ(view.get_element(i, value), S_OK);
    out.push_back(value);
  }
  (void)view.detach();
  return out;
}

// "file::Z:\\t\\a.jpg" -> "Z:\\t\\a.jpg".
inline std::u16string without_protocol(std::u16string_view path) {
  const auto at = path.find(u"::");
  return std::u16string(at == std::u16string_view::npos ? path : path.substr(at + 2));
}

inline std::u16string lower_extension(std::u16string_view path) {
  const auto dot = path.rfind(u'.');
  if (dot == std::u16string_view::npos) return {};
  std::u16string extension(path.substr(dot));
  for (auto& c : extension)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return extension;
}

// Writes a small file at a Windows path (any protocol prefix dropped).
inline void write_file(std::u16string_view windows_path, std::string_view content = "data") {
  const auto posix = platform::posix_path_of(without_protocol(windows_path));
  ASSERT_TRUE(posix) << narrow(windows_path);
  std::ofstream(*posix, std::ios::binary) << content;
}

struct ResolverEntry {
  std::u16string source_path;
  std::u16string file_path;
  LONG rotation = 0;
};

struct SavedPicture {
  std::u16string path;
  LONG width = 0;
  LONG height = 0;
};

struct HostWorld {
  // Seeds.
  std::map<std::u16string, ImageInfo> infos;           // GetImageInfo by path; others fail
  std::set<std::u16string> unloadable;                 // LoadImage fails
  bool saves_fail = false;
  std::map<std::u16string, LONG> types;                // GetMediaType by lower-case extension with dot
  LONG image_bits = 24;
  std::vector<ResolverEntry> entries;                  // what the resolver yields, in order
  bool resolver_seeded = false;                        // without seeding, the resolver must not be used
  std::set<std::u16string> refused;                    // slide-show check verdict 1
  std::map<LONG, std::u16string> strings;              // host strings
  std::vector<LONG> answers;                           // ShowMessage answers in turn; OK when none is left
  std::map<LONG, std::vector<BYTE>> templates;         // dialog templates by id
  std::map<LONG, std::vector<BYTE>> init_data;         // their init data by id
  HCURSOR busy = nullptr;                              // the busy cursor
  std::u16string configuration_root = u"Software\\HostFakes";
  // Records.
  std::vector<std::string> calls;
  std::vector<SavedPicture> saved;
  std::vector<std::u16string> resolver_paths;
  std::vector<LONG> resolver_orientations;
  std::vector<std::u16string> messages;                // text | caption | further
  std::vector<LONG> configuration;
  std::vector<std::pair<LONG, LONG>> resource_calls;   // id, type

  void log(std::string call) { calls.push_back(std::move(call)); }
};

using World = std::shared_ptr<HostWorld>;

// An automation object with no members of its own beyond its interface's.
template <class Derived, class Interface>
class Automation : public platform::DispatchObject<Derived, platform::Chain<Interface, IDispatch>> {
 public:
  static std::span<const platform::DispatchMember<Derived>> dispatch_members() { return {}; }
};

inline HRESULT unexpected(const char* what) {
  ADD_FAILURE() << "unexpected call to " << what;
  return E_NOTIMPL;
}

class FakeImage final : public platform::ComObject<FakeImage, IImageObject> {
 public:
  explicit FakeImage(World world) : world_(std::move(world)) {}

  STDMETHODIMP SetConfiguration(VARIANT configuration) override {
    if (configuration.vt != (VT_ARRAY | VT_I4)) return E_INVALIDARG;
    world_->configuration = longs_of(configuration);
    return S_OK;
  }
  STDMETHODIMP Rotate(LONG quarter_turns) override {
    world_->log("rotate " + std::to_string(quarter_turns));
    if (quarter_turns % 2) std::swap(width_, height_);
    return S_OK;
  }
  STDMETHODIMP Resize(LONG width, LONG height) override {
    world_->log("resize " + std::to_string(width) + "x" + std::to_string(height));
    if (width < 1 || height < 1) return E_INVALIDARG;
    width_ = width;
    height_ = height;
    return S_OK;
  }
  STDMETHODIMP GetSize(LONG* width, LONG* height) override {
    if (!width || !height) return E_POINTER;
    *width = width_;
    *height = height_;
    return S_OK;
  }
  STDMETHODIMP GetBitsPerPixel(LONG* bits) override {
    if (!bits) return E_POINTER;
    world_->log("bits");
    *bits = world_->image_bits;
    return S_OK;
  }
  STDMETHODIMP ResetPendingChanges() override {
    world_->log("reset");
    return S_OK;
  }

  void load(LONG width, LONG height) {
    width_ = width;
    height_ = height;
  }
  LONG width() const { return width_; }
  LONG height() const { return height_; }

 private:
  World world_;
  LONG width_ = 0;
  LONG height_ = 0;
};

class FakeMediaServices final : public Automation<FakeMediaServices, IMediaServices> {
 public:
  explicit FakeMediaServices(World world) : world_(std::move(world)) {}

  STDMETHODIMP RegisterListener(IUnknown*) override { return unexpected("RegisterListener"); }
  STDMETHODIMP GetFileObject(BSTR, IFileObject**) override { return unexpected("GetFileObject"); }
  STDMETHODIMP GetDefaultFolder(BSTR*) override { return unexpected("GetDefaultFolder"); }

  STDMETHODIMP GetImageInfo(BSTR path, ImageInfo* info) override {
    world_->log("info " + narrow(text_of(path)));
    if (!info) return E_POINTER;
    const auto found = world_->infos.find(text_of(path));
    if (found == world_->infos.end()) return E_FAIL;
    *info = found->second;
    return S_OK;
  }
  STDMETHODIMP LoadImage(const MediaLoadRequest* request) override {
    if (!request || !request->target) return E_POINTER;
    const std::u16string path = text_of(request->path);
    world_->log("load " + narrow(path) + " flags " + std::to_string(request->load_flags) + " options " +
                std::to_string(request->options));
    if (world_->unloadable.count(path)) return E_FAIL;
    const auto found = world_->infos.find(path);
    if (found == world_->infos.end() || found->second.frame_count < 1) return E_FAIL;
    static_cast<FakeImage*>(request->target)->load(found->second.frames[0].width, found->second.frames[0].height);
    return S_OK;
  }
  STDMETHODIMP SaveImage(IImageObject* image, BSTR path) override {
    world_->log("save " + narrow(text_of(path)));
    if (!image) return E_POINTER;
    if (world_->saves_fail) return E_FAIL;
    const auto* fake = static_cast<FakeImage*>(image);
    world_->saved.push_back({text_of(path), fake->width(), fake->height()});
    write_file(text_of(path), "jpeg");
    return S_OK;
  }
  STDMETHODIMP GetMediaType(BSTR path, LONG* type) override {
    if (!type) return E_POINTER;
    const auto found = world_->types.find(lower_extension(text_of(path)));
    *type = found == world_->types.end() ? -1 : found->second;
    return S_OK;
  }

 private:
  World world_;
};

class FakeResolver final : public platform::ComObject<FakeResolver, IAttachmentResolver> {
 public:
  explicit FakeResolver(World world) : world_(std::move(world)) {}

  STDMETHODIMP SetItems(VARIANT paths, VARIANT orientations) override {
    if (!world_->resolver_seeded) ADD_FAILURE() << "the attachment resolver was not expected";
    if (paths.vt != (VT_ARRAY | VT_BSTR) || orientations.vt != (VT_ARRAY | VT_I4)) return E_INVALIDARG;
    for (auto& path : strings_of(paths)) world_->resolver_paths.push_back(std::move(path));
    for (const LONG orientation : longs_of(orientations)) world_->resolver_orientations.push_back(orientation);
    return S_OK;
  }
  STDMETHODIMP Next(BSTR* source, BSTR* file, LONG* rotation) override {
    if (!source || !file || !rotation) return E_POINTER;
    *source = nullptr;
    *file = nullptr;
    *rotation = 0;
    if (next_ >= world_->entries.size()) return S_FALSE;
    const ResolverEntry& entry = world_->entries[next_++];
    give(entry.source_path, source);
    give(entry.file_path, file);
    *rotation = entry.rotation;
    return S_OK;
  }

 private:
  World world_;
  std::size_t next_ = 0;
};

class FakeSlideShowCheck final : public platform::ComObject<FakeSlideShowCheck, ISlideShowCheck> {
 public:
  explicit FakeSlideShowCheck(World world) : world_(std::move(world)) {}
  STDMETHODIMP SetFile(BSTR path) override {
    file_ = text_of(path);
    world_->log("check " + narrow(file_));
    return S_OK;
  }
  STDMETHODIMP GetVerdict(LONG* verdict) override {
    if (!verdict) return E_POINTER;
    *verdict = world_->refused.count(file_) ? 1 : 0;
    return S_OK;
  }

 private:
  World world_;
  std::u16string file_;
};

class FakeMessages final : public Automation<FakeMessages, IMessageService> {
 public:
  explicit FakeMessages(World world) : world_(std::move(world)) {}
  STDMETHODIMP ShowMessage(HWND, BSTR text, BSTR caption, BSTR further, LONG buttons, LONG* answer) override {
    if (!answer) return E_POINTER;
    world_->messages.push_back(text_of(text) + u"|" + text_of(caption) + u"|" + text_of(further));
    world_->log("message buttons " + std::to_string(buttons));
    *answer = host::kAnswerOk;
    if (!world_->answers.empty()) {
      *answer = world_->answers.front();
      world_->answers.erase(world_->answers.begin());
    }
    return S_OK;
  }

 private:
  World world_;
};

class FakeEnvironment final : public Automation<FakeEnvironment, IClientEnvironment> {
 public:
  explicit FakeEnvironment(World world) : world_(std::move(world)) {}
  STDMETHODIMP GetHostString(LONG id, BSTR* text) override {
    if (!text) return E_POINTER;
    *text = nullptr;
    world_->log("string " + std::to_string(id));
    const auto found = world_->strings.find(id);
    if (found == world_->strings.end()) return E_INVALIDARG;
    return give(found->second, text);
  }
  STDMETHODIMP GetCursor(LONG id, HCURSOR* cursor) override {
    *cursor = id == host::kBusyCursor ? world_->busy : nullptr;
    return *cursor ? S_OK : E_FAIL;
  }
  STDMETHODIMP GetResource(LONG id, LONG type, VARIANT* resource) override {
    VariantInit(resource);
    world_->resource_calls.emplace_back(id, type);
    const auto& table = type == host::kResourceDialogTemplate ? world_->templates : world_->init_data;
    const auto found = table.find(id);
    if (found == table.end()) return S_FALSE;
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(found->second.size()));
    void* data = nullptr;
    if (!array || FAILED(SafeArrayAccessData(array, &data))) return E_OUTOFMEMORY;
    std::copy(found->second.begin(), found->second.end(), static_cast<BYTE*>(data));
    SafeArrayUnaccessData(array);
    resource->vt = VT_ARRAY | VT_UI1;
    resource->parray = array;
    return S_OK;
  }
  STDMETHODIMP GetImage(LONG, IUnknown** image) override {
    *image = nullptr;
    return S_FALSE;
  }
  STDMETHODIMP get_ConfigurationRoot(BSTR* path) override { return give(world_->configuration_root, path); }
  STDMETHODIMP get_SettingsPath(BSTR* path) override { return give(world_->configuration_root + u"\\Settings", path); }
  STDMETHODIMP get_FormatLoaderBasePath(BSTR* path) override { return give(u"", path); }
  STDMETHODIMP GetCatalogueRoot(LONG, BSTR* root) override {
    give(u"", root);
    return S_FALSE;
  }

 private:
  World world_;
};

// The mail service: a client name, whether the host would let it embed, and the answer to a
// hand-off; it counts the questions and records the hand-offs.
class FakeMailService final : public Automation<FakeMailService, IMailService> {
 public:
  struct Sent {
    std::string operation;
    LONG handle = 0;
    std::u16string subject, body;
    std::vector<std::u16string> paths;
  };

  FakeMailService(std::u16string name, bool embeds, HRESULT answer = S_OK)
      : name_(std::move(name)), embeds_(embeds), answer_(answer) {}
  STDMETHODIMP SendWithAttachments(LONG handle, BSTR subject, BSTR body, VARIANT* paths) override {
    return record("attachments", handle, subject, body, paths);
  }
  STDMETHODIMP SendEmbeddedInHtml(LONG handle, BSTR subject, BSTR body, VARIANT* paths) override {
    return record("embedded", handle, subject, body, paths);
  }
  STDMETHODIMP GetDefaultClientName(BSTR* name) override { return give(name_, name); }
  STDMETHODIMP CanEmbedInClient(VARIANT_BOOL* can_embed) override {
    ++asked;
    *can_embed = embeds_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }

  int asked = 0;
  std::vector<Sent> sent;

 private:
  HRESULT record(const char* operation, LONG handle, BSTR subject, BSTR body, VARIANT* paths) {
    sent.push_back({operation, handle, text_of(subject), text_of(body), paths ? strings_of(*paths) : Sent{}.paths});
    return answer_;
  }
  std::u16string name_;
  bool embeds_;
  HRESULT answer_;
};

// A host media item for a file; `document` makes it an open document.
class FakeItem final : public platform::ComObject<FakeItem, IMediaItem> {
 public:
  FakeItem(std::u16string path, LONG orientation, std::u16string property)
      : path_(std::move(path)), orientation_(orientation), property_(std::move(property)) {}

  STDMETHODIMP GetPath(BSTR* path) override { return give(path_, path); }
  STDMETHODIMP QueryPath(BSTR* path) override { return give(path_, path); }
  STDMETHODIMP GetDocument(IOpenDocument** document) override {
    if (!document) return E_POINTER;
    *document = nullptr;
    if (!document_) return S_FALSE;
    return document_.CopyTo(document);
  }
  STDMETHODIMP GetStringProperty(BSTR* value) override { return give(property_, value); }
  STDMETHODIMP SetStringProperty(BSTR value) override {
    property_ = text_of(value);
    return S_OK;
  }
  STDMETHODIMP GetDisplayName(BSTR* name) override {
    const auto slash = path_.rfind(u'\\');
    return give(slash == std::u16string::npos ? path_ : path_.substr(slash + 1), name);
  }
  STDMETHODIMP GetOrientation(LONG* turns) override {
    if (!turns) return E_POINTER;
    *turns = orientation_;
    return S_OK;
  }

  platform::ComPtr<IOpenDocument> document_;

 private:
  std::u16string path_;
  LONG orientation_;
  std::u16string property_;
};

class FakeDocument final : public platform::ComObject<FakeDocument, IOpenDocument> {
 public:
  FakeDocument(World world, std::u16string path, bool modified, bool saves)
      : world_(std::move(world)), path_(std::move(path)), modified_(modified), saves_(saves) {}
  STDMETHODIMP GetPath(BSTR* path) override { return give(path_, path); }
  STDMETHODIMP GetModified(VARIANT_BOOL* modified) override {
    if (!modified) return E_POINTER;
    *modified = modified_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
  STDMETHODIMP SaveTo(BSTR path) override {
    world_->log("document save " + narrow(text_of(path)));
    if (!saves_) return E_FAIL;
    write_file(text_of(path), "document");
    return S_OK;
  }

 private:
  World world_;
  std::u16string path_;
  bool modified_;
  bool saves_;
};

// The host classes the engine creates, registered for as long as this lives.
class HostClasses {
 public:
  explicit HostClasses(const World& world)
      : services_(host::CLSID_MediaServices, maker_of<FakeMediaServices>(world)),
        images_(host::CLSID_ImageObject, maker_of<FakeImage>(world)),
        resolver_(host::CLSID_AttachmentResolver, maker_of<FakeResolver>(world)),
        check_(host::CLSID_SlideShowCheck, maker_of<FakeSlideShowCheck>(world)),
        messages_(host::CLSID_MessageService, maker_of<FakeMessages>(world)),
        environment_(host::CLSID_ClientEnvironment, maker_of<FakeEnvironment>(world)) {}

 private:
  RegisteredClass services_;
  RegisteredClass images_;
  RegisteredClass resolver_;
  RegisteredClass check_;
  RegisteredClass messages_;
  RegisteredClass environment_;
};

}  // namespace fakes
