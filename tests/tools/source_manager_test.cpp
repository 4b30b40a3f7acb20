// The tools' source manager as a source sees it: the notices a source sends through the
// DSM_Entry it was handed are answered as the Linux source manager answers them, and queued for
// the application whether accepted or refused.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "common/twain_values.h"
#include "tools/sample_source.h"

namespace {

constexpr int kSourceId = 2;

TW_IDENTITY IdentityWithId(uintptr_t id) {
  TW_IDENTITY identity{};
  identity.Id = IdentityIdFrom(id);
  return identity;
}

// The sample opened with the identity the manager gave it.
class OpenedSource : public testing::Test {
 protected:
  void SetUp() override {
    TW_IDENTITY identity = IdentityWithId(kSourceId);
    ASSERT_EQ(source.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity), TWRC_SUCCESS);
  }

  TW_UINT16 Notify(TW_IDENTITY* origin, TW_UINT16 msg, TW_UINT16 dat = DAT_NULL) {
    TW_IDENTITY application = source.Application();
    return SourceManager::Entry(origin, &application, DG_CONTROL, dat, msg, nullptr);
  }

  SampleSource source;
  TW_IDENTITY self = IdentityWithId(kSourceId);
};

TEST_F(OpenedSource, EveryNoticeOfTheOpenSourceIsAcceptedAndQueuedInOrderUpToABound) {
  for (TW_UINT16 msg : {MSG_XFERREADY, MSG_DEVICEEVENT, MSG_CLOSEDSREQ, MSG_CLOSEDSOK}) {
    EXPECT_EQ(Notify(&self, msg), TWRC_SUCCESS) << msg;
  }
  EXPECT_TRUE(source.WaitForNotice(MSG_CLOSEDSOK, std::chrono::milliseconds(0)));
  std::vector<SourceNotice> notices = source.TakeNotices();
  ASSERT_EQ(notices.size(), 4u);
  EXPECT_EQ(notices[0].message, MSG_XFERREADY);
  EXPECT_EQ(notices[3].message, MSG_CLOSEDSOK);
  for (const SourceNotice& notice : notices) EXPECT_TRUE(notice.accepted) << notice.refusal;
  EXPECT_TRUE(source.TakeNotices().empty());
  EXPECT_FALSE(source.WaitForNotice(MSG_XFERREADY, std::chrono::milliseconds(1)));

  // A source that floods the manager costs bounded memory: the newest notices are kept.
  const size_t sent = SourceManager::kMostQueuedNotices + 10;
  for (size_t i = 0; i < sent; ++i) Notify(&self, i + 1 == sent ? MSG_CLOSEDSOK : MSG_DEVICEEVENT);
  notices = source.TakeNotices();
  ASSERT_EQ(notices.size(), SourceManager::kMostQueuedNotices);
  EXPECT_EQ(notices.back().message, MSG_CLOSEDSOK);
}

// Refusals the replay's misbehaving source cannot provoke; it reports the others (a null origin,
// a foreign destination, an unknown message, a closed source) through the same manager.
TEST_F(OpenedSource, WhatTheManagerWouldRefuseFailsAndIsQueuedWithTheReason) {
  TW_IDENTITY foreign = IdentityWithId(kSourceId + 7);
  const struct {
    TW_UINT16 rc;
    const char* refusal;
  } expected[] = {
      {Notify(&foreign, MSG_XFERREADY), "foreign origin"},
      {Notify(&self, MSG_XFERREADY, DAT_STATUS), "unknown data argument type"},
      {SourceManager::Entry(&self, nullptr, DG_CONTROL, DAT_NULL, MSG_XFERREADY, nullptr),
       "null destination"},
  };
  // Refused notices wake no one waiting for that notice.
  EXPECT_FALSE(source.WaitForNotice(MSG_XFERREADY, std::chrono::milliseconds(1)));
  std::vector<SourceNotice> notices = source.TakeNotices();
  ASSERT_EQ(notices.size(), std::size(expected));
  for (size_t i = 0; i < notices.size(); ++i) {
    EXPECT_EQ(expected[i].rc, TWRC_FAILURE) << expected[i].refusal;
    EXPECT_FALSE(notices[i].accepted);
    EXPECT_EQ(notices[i].refusal, expected[i].refusal);
  }
}

}  // namespace
