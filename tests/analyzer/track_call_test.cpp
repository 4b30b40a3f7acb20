// Tracking a call without its text changes the header count and the TWAIN state exactly as the
// full analysis does, through a whole session with failures, events and transfers.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "analyzer/para_analyze.h"

namespace {

struct Call {
  TW_UINT16 DAT;
  TW_UINT16 MSG;
  TW_UINT16 rc;
  int dataValue;  // TWMessage of an event or Count of pending transfers; -1 for no data
};

// A scan of two pages with a refused enable and events that are not the source's.
constexpr Call kSession[] = {
    {DAT_PARENT, MSG_OPENDSM, TWRC_SUCCESS, -1},
    {DAT_IDENTITY, MSG_OPENDS, TWRC_SUCCESS, -1},
    {DAT_CAPABILITY, MSG_GETCURRENT, TWRC_SUCCESS, -1},
    {DAT_USERINTERFACE, MSG_ENABLEDS, TWRC_FAILURE, -1},
    {DAT_USERINTERFACE, MSG_ENABLEDS, TWRC_SUCCESS, -1},
    {DAT_EVENT, MSG_PROCESSEVENT, TWRC_NOTDSEVENT, MSG_NULL},
    {DAT_EVENT, MSG_PROCESSEVENT, TWRC_DSEVENT, MSG_NULL},
    {DAT_EVENT, MSG_PROCESSEVENT, TWRC_DSEVENT, MSG_XFERREADY},
    {DAT_NULL, MSG_XFERREADY, TWRC_SUCCESS, -1},
    {DAT_IMAGEINFO, MSG_GET, TWRC_SUCCESS, -1},
    {DAT_IMAGENATIVEXFER, MSG_GET, TWRC_XFERDONE, -1},
    {DAT_PENDINGXFERS, MSG_ENDXFER, TWRC_SUCCESS, 1},
    {DAT_IMAGENATIVEXFER, MSG_GET, TWRC_FAILURE, -1},
    {DAT_IMAGENATIVEXFER, MSG_GET, TWRC_XFERDONE, -1},
    {DAT_PENDINGXFERS, MSG_ENDXFER, TWRC_SUCCESS, 0},
    {DAT_EVENT, MSG_PROCESSEVENT, TWRC_DSEVENT, MSG_CLOSEDSREQ},
    {DAT_IDENTITY, MSG_CLOSEDS, TWRC_SUCCESS, -1},
    {DAT_PARENT, MSG_CLOSEDSM, TWRC_SUCCESS, -1},
};

// A TWAIN 2 source announces its transfers through the source manager's callback: no event
// passes the entry point, and the transfers themselves show that one was ready.
constexpr Call kCallbackSession[] = {
    {DAT_IDENTITY, MSG_OPENDS, TWRC_SUCCESS, -1},
    {DAT_USERINTERFACE, MSG_ENABLEDS, TWRC_SUCCESS, -1},
    {DAT_IMAGEINFO, MSG_GET, TWRC_SUCCESS, -1},
    {DAT_IMAGEMEMXFER, MSG_GET, TWRC_SUCCESS, -1},
    {DAT_IMAGEMEMXFER, MSG_GET, TWRC_XFERDONE, -1},
    {DAT_PENDINGXFERS, MSG_ENDXFER, TWRC_SUCCESS, 1},
    {DAT_IMAGEINFO, MSG_GET, TWRC_SUCCESS, -1},
    {DAT_IMAGEMEMXFER, MSG_GET, TWRC_XFERDONE, -1},
    {DAT_PENDINGXFERS, MSG_ENDXFER, TWRC_SUCCESS, 0},
    {DAT_USERINTERFACE, MSG_DISABLEDS, TWRC_SUCCESS, -1},
    {DAT_IDENTITY, MSG_CLOSEDS, TWRC_SUCCESS, -1},
};

// Runs `session` from state `start` through the full analysis and the tracking alone, which
// must agree after every call; returns the states the full analysis went through.
template <size_t N>
std::vector<int> RunSession(const Call (&session)[N], int start, CParaAnalyze& full) {
  CParaAnalyze tracked;
  full.SetTwainStatus(start);
  tracked.SetTwainStatus(start);
  std::vector<int> states;
  for (const Call& call : session) {
    TW_EVENT event{};
    TW_PENDINGXFERS pending{};
    char* data = nullptr;
    if (call.DAT == DAT_EVENT && call.dataValue >= 0) {
      event.TWMessage = static_cast<TW_UINT16>(call.dataValue);
      data = reinterpret_cast<char*>(&event);
    } else if (call.DAT == DAT_PENDINGXFERS) {
      pending.Count = static_cast<TW_UINT16>(call.dataValue);
      data = reinterpret_cast<char*>(&pending);
    }
    char text[5122] = {};
    full.TripletAnalyze(nullptr, nullptr, DG_CONTROL, call.DAT, call.MSG, data, text, sizeof(text));
    text[0] = '\0';
    full.ParaAnalyze(nullptr, nullptr, DG_CONTROL, call.DAT, call.MSG, data, call.rc, text,
                     sizeof(text));
    tracked.TrackCall(nullptr, DG_CONTROL, call.DAT, call.MSG, data, call.rc);

    EXPECT_EQ(tracked.GetTwainStatus(), full.GetTwainStatus()) << "after MSG " << call.MSG;
    EXPECT_EQ(tracked.m_nSequence, full.m_nSequence) << "after MSG " << call.MSG;
    states.push_back(full.GetTwainStatus());
  }
  return states;
}

TEST(TrackCall, KeepsCountAndStateAsTheFullAnalysisThroughASession) {
  CParaAnalyze full;
  std::vector<int> states = RunSession(kSession, 2, full);
  // The session goes through every state from 2 to 7 and back.
  EXPECT_EQ(std::set<int>(states.begin(), states.end()), (std::set<int>{2, 3, 4, 5, 6, 7}));
  // Events and the transfer-ready notice get no header.
  EXPECT_EQ(full.m_nSequence, 13);
}

TEST(TrackCall, CallbackSessionReachesTransferStates) {
  CParaAnalyze full;
  EXPECT_EQ(RunSession(kCallbackSession, 3, full),
            (std::vector<int>{4, 5, 6, 7, 7, 6, 6, 7, 5, 4, 3}));
}

}  // namespace
