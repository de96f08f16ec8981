#include <gtest/gtest.h>

#include "host/activity_host.h"
#include "host/environment.h"
#include "host/media_services.h"
#include "host/message_service.h"
#include "host/working_folder.h"
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/fileapi.h"
#include "platform/machine_profile.h"
#include "platform/path_mapping.h"
#include "tests/suite/host/suite_host_test_support.h"

using namespace suite_host_test;

namespace {

struct ClassRow {
  int line;
  const CLSID* clsid;
  const IID* iid;
};

const ClassRow kClasses[] = {
    {__LINE__, &host::CLSID_ClientEnvironment, &IID_IClientEnvironment},
    {__LINE__, &host::CLSID_ClientEnvironmentConfig, &IID_IClientEnvironment},
    {__LINE__, &host::CLSID_ClientEnvironmentSettings, &IID_IClientEnvironment},
    {__LINE__, &host::CLSID_MediaServices, &IID_IMediaServices},
    {__LINE__, &host::CLSID_WorkingFolder, &IID_IWorkingFolder},
    {__LINE__, &host::CLSID_ActivityHost, &IID_IActivityHost},
    {__LINE__, &host::CLSID_MessageService, &IID_IMessageService},
};

class SessionTest : public SuiteTest {};

TEST_F(SessionTest, EveryClassIsCreatableWhileRunningAndUnknownAfterwards) {
  for (const auto& row : kClasses) {
    IUnknown* object = nullptr;
    EXPECT_EQ(CoCreateInstance(*row.clsid, nullptr, CLSCTX_ALL, *row.iid, reinterpret_cast<void**>(&object)),
              REGDB_E_CLASSNOTREG)
        << "before start, line " << row.line;
  }
  start();
  for (const auto& row : kClasses) {
    platform::ComPtr<IUnknown> object;
    EXPECT_EQ(CoCreateInstance(*row.clsid, nullptr, CLSCTX_ALL, *row.iid, object.put_void()), S_OK) << "line " << row.line;
    EXPECT_TRUE(object) << "line " << row.line;
    // A local-server request finds the same registration.
    platform::ComPtr<IUnknown> local;
    EXPECT_EQ(CoCreateInstance(*row.clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, local.put_void()), S_OK)
        << "line " << row.line;
  }
  session_.stop();
  EXPECT_FALSE(session_.running());
  for (const auto& row : kClasses) {
    IUnknown* object = reinterpret_cast<IUnknown*>(1);
    EXPECT_EQ(CoCreateInstance(*row.clsid, nullptr, CLSCTX_ALL, *row.iid, reinterpret_cast<void**>(&object)),
              REGDB_E_CLASSNOTREG)
        << "after stop, line " << row.line;
    EXPECT_EQ(object, nullptr) << "line " << row.line;
  }
}

TEST_F(SessionTest, StartsOnceAndStopsTwiceHarmlessly) {
  start();
  EXPECT_EQ(session_.start(), E_UNEXPECTED);
  session_.stop();
  session_.stop();
  start();  // and again after a stop
  EXPECT_TRUE(session_.running());
}

TEST_F(SessionTest, FailsOnAThreadWithoutComAndRegistersNothing) {
  CoUninitialize();
  suite::Session session;
  EXPECT_EQ(session.start(), CO_E_NOTINITIALIZED);
  EXPECT_FALSE(session.running());
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  platform::ComPtr<IUnknown> object;
  EXPECT_EQ(CoCreateInstance(host::CLSID_ClientEnvironment, nullptr, CLSCTX_ALL, IID_IUnknown, object.put_void()),
            REGDB_E_CLASSNOTREG);
}

TEST_F(SessionTest, ObjectsOutlivingTheSessionStillAnswer) {
  start();
  auto environment = create<IClientEnvironment>(host::CLSID_ClientEnvironment);
  auto activity = create<IActivityHost>(host::CLSID_ActivityHost);
  session_.stop();
  platform::Bstr root;
  EXPECT_EQ(environment->GetCatalogueRoot(0, root.put()), S_OK);
  platform::ComPtr<IDispatch> area;
  ASSERT_EQ(activity->GetActivityArea(area.put()), S_OK);
  VARIANT stack;
  VariantInit(&stack);
  EXPECT_EQ(invoke(area.get(), host::kActivityAreaPaneStack, DISPATCH_PROPERTYGET, {}, &stack), E_UNEXPECTED)
      << "the pane stack is gone with the session";
  platform::ComPtr<ICommandTarget> target;
  EXPECT_EQ(activity->GetCommandTarget(target.put()), E_UNEXPECTED);
}

std::filesystem::path temp_path_now() {
  WCHAR buffer[2048] = {};
  const DWORD length = GetTempPathW(2048, buffer);
  const std::filesystem::path path = platform::posix_path_of(std::u16string_view(buffer, length)).value_or("");
  return path.has_filename() ? path : path.parent_path();
}

TEST_F(SessionTest, EachSessionHasATemporaryFolderOfItsOwnRemovedWhenItStops) {
  namespace fs = std::filesystem;
  const platform::ScopedMachineProfile machine;
  const fs::path base = fs::path(::testing::TempDir()) / "session-temp";
  fs::create_directories(base);
  platform::set_temp_folder(base.string());

  // A folder left by a suite that died is swept; a live one's is kept.
  const fs::path abandoned = base / "session-999999999-gone";
  const fs::path alive = base / ("session-" + std::to_string(::getppid()) + "-alive");
  fs::create_directories(abandoned);
  fs::create_directories(alive);

  start();
  const fs::path first = temp_path_now();
  EXPECT_EQ(first.parent_path(), base) << first;
  EXPECT_NE(first.filename().string().find("session-"), std::string::npos);
  std::ofstream(first / "goldfish.jpg") << "prepared";
  EXPECT_FALSE(fs::exists(abandoned));
  EXPECT_TRUE(fs::exists(alive));
  session_.stop();
  EXPECT_FALSE(fs::exists(first)) << "prepared files go with the session";
  EXPECT_EQ(temp_path_now(), base) << "the earlier folder is back in force";

  start();
  EXPECT_NE(temp_path_now(), first) << "the next session starts empty";
  EXPECT_FALSE(fs::exists(temp_path_now() / "goldfish.jpg"));
  session_.stop();
  fs::remove_all(base);
}

}  // namespace
