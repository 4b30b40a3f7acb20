// The tools' source manager as a source sees it: the notices a source sends through the
// DSM_Entry it was handed are answered as the Linux source manager answers them, and queued for
// the application whether accepted or refused.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "common/twain_values.h"
#include "tools/sample_source.h"

namespace {

constexpr int kSourceId = 2;

TW_IDENTITY IdentityWithId(uintptr_t id) {
  TW_IDENTITY identity{};
  identity.Id = IdentityIdFrom(id);
  return identity;
}

using Notices = std::vector<std::pair<TW_UINT16, std::string>>;

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

  // Each notice queued since the last look, with "accepted" or the reason it was refused.
  Notices Taken() {
    Notices taken;
    for (const SourceNotice& notice : source.TakeNotices()) {
      taken.emplace_back(notice.message, notice.accepted ? "accepted" : notice.refusal);
    }
    return taken;
  }

  SampleSource source;
  TW_IDENTITY self = IdentityWithId(kSourceId);
};

TEST_F(OpenedSource, EveryNoticeOfTheOpenSourceIsAcceptedAndQueuedInOrderUpToABound) {
  for (TW_UINT16 msg : {MSG_XFERREADY, MSG_DEVICEEVENT, MSG_CLOSEDSREQ, MSG_CLOSEDSOK}) {
    EXPECT_EQ(Notify(&self, msg), TWRC_SUCCESS) << msg;
  }
  EXPECT_TRUE(source.WaitForNotice(MSG_CLOSEDSOK, std::chrono::milliseconds(0)));
  EXPECT_EQ(Taken(), (Notices{{MSG_XFERREADY, "accepted"},
                              {MSG_DEVICEEVENT, "accepted"},
                              {MSG_CLOSEDSREQ, "accepted"},
                              {MSG_CLOSEDSOK, "accepted"}}));
  EXPECT_TRUE(source.TakeNotices().empty());
  EXPECT_FALSE(source.WaitForNotice(MSG_XFERREADY, std::chrono::milliseconds(1)));

  // A source that floods the manager costs bounded memory: the newest notices are kept.
  const size_t sent = SourceManager::kMostQueuedNotices + 10;
  for (size_t i = 0; i < sent; ++i) Notify(&self, i + 1 == sent ? MSG_CLOSEDSOK : MSG_DEVICEEVENT);
  const Notices kept = Taken();
  ASSERT_EQ(kept.size(), SourceManager::kMostQueuedNotices);
  EXPECT_EQ(kept.back(), Notices::value_type(MSG_CLOSEDSOK, "accepted"));
}

// Refusals the replay's misbehaving source cannot provoke; it reports the others (a null origin,
// a foreign destination, an unknown message, a closed source) through the same manager.
TEST_F(OpenedSource, WhatTheManagerWouldRefuseFailsAndIsQueuedWithTheReason) {
  TW_IDENTITY foreign = IdentityWithId(kSourceId + 7);
  EXPECT_EQ(Notify(&foreign, MSG_XFERREADY), TWRC_FAILURE);
  EXPECT_EQ(Notify(&self, MSG_XFERREADY, DAT_STATUS), TWRC_FAILURE);
  EXPECT_EQ(SourceManager::Entry(&self, nullptr, DG_CONTROL, DAT_NULL, MSG_XFERREADY, nullptr),
            TWRC_FAILURE);
  // Refused notices wake no one waiting for that notice.
  EXPECT_FALSE(source.WaitForNotice(MSG_XFERREADY, std::chrono::milliseconds(1)));
  EXPECT_EQ(Taken(), (Notices{{MSG_XFERREADY, "foreign origin"},
                              {MSG_XFERREADY, "unknown data argument type"},
                              {MSG_XFERREADY, "null destination"}}));
}

}  // namespace
