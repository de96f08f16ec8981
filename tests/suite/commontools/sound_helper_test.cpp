#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "host/commontools.h"

namespace {

TEST(SoundHelper, OneInstanceLivesWhileCounted) {
  ASSERT_EQ(CTSGSoundHelper::RefCount(), 0);
  CTSGSoundHelper* first = CTSGSoundHelper::AddRef();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(CTSGSoundHelper::AddRef(), first);
  EXPECT_EQ(CTSGSoundHelper::m_pSoundHelper.load(), first);
  EXPECT_TRUE(first->PlaySystemSound(0xFFFFFFFF));
  EXPECT_TRUE(first->PlaySystemSound(0x30));
  EXPECT_EQ(first->SoundsRequested(), 2);
  EXPECT_EQ(first->LastSound(), 0x30u);
  EXPECT_EQ(CTSGSoundHelper::DecreaseRef(), 1);
  EXPECT_EQ(CTSGSoundHelper::m_pSoundHelper.load(), first);
  EXPECT_EQ(CTSGSoundHelper::DecreaseRef(), 0);
  EXPECT_EQ(CTSGSoundHelper::m_pSoundHelper.load(), nullptr);
  // An extra release neither goes below zero nor breaks the next creation.
  EXPECT_EQ(CTSGSoundHelper::DecreaseRef(), 0);
  CTSGSoundHelper* second = CTSGSoundHelper::AddRef();
  EXPECT_EQ(second->SoundsRequested(), 0);
  EXPECT_EQ(CTSGSoundHelper::DecreaseRef(), 0);
}

// Threads create and delete the instance over and over; each uses it only while counted.
TEST(SoundHelper, CountingIsThreadSafe) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([] {
      for (int i = 0; i < 2000; ++i) {
        CTSGSoundHelper::AddRef()->PlaySystemSound(0);
        CTSGSoundHelper::DecreaseRef();
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(CTSGSoundHelper::RefCount(), 0);
  EXPECT_EQ(CTSGSoundHelper::m_pSoundHelper.load(), nullptr);
}

}  // namespace
