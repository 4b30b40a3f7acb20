// The TWAIN state the analyzer keeps: each transition rule on its own, and a whole session, in
// which tracking a call without its text must keep the header count and the state exactly as
// the full analysis does.
#include <gtest/gtest.h>

#include "analyzer/para_analyze.h"

namespace {

// The data a call carries: an event with `value` as its TWMessage, pending transfers with it as
// their Count, or none when it is -1.
struct CallData {
  CallData(TW_UINT16 DAT, int value) {
    event.TWMessage = pending.Count = static_cast<TW_UINT16>(value);
    if (value < 0) return;
    data = DAT == DAT_EVENT ? reinterpret_cast<char*>(&event) : reinterpret_cast<char*>(&pending);
  }
  TW_EVENT event{};
  TW_PENDINGXFERS pending{};
  char* data = nullptr;
};

// The rules the session below does not pass through, the states each rule does not fire from,
// and the triplets that look alike but do not move. A transfer made ready through the source
// manager's callback (a TWAIN 2 source's: no event passes the entry point) leaves state 5, which
// the first image call counts as 6.
constexpr struct {
  int from;
  TW_UINT16 DAT, MSG;
  int value, to;
} kTransitions[] = {{4, DAT_PARENT, MSG_OPENDSM, -1, 4},
                    {4, DAT_IDENTITY, MSG_OPENDS, -1, 4},
                    {4, DAT_CAPABILITY, MSG_ENABLEDS, -1, 5},
                    {4, DAT_USERINTERFACE, MSG_ENABLEDSUIONLY, -1, 4},
                    {5, DAT_CAPABILITY, MSG_DISABLEDS, -1, 5},
                    {5, DAT_EVENT, MSG_PROCESSEVENT, -1, 5},
                    {6, DAT_EVENT, MSG_PROCESSEVENT, MSG_XFERREADY, 6},
                    {6, DAT_IMAGEFILEXFER, MSG_PROCESSEVENT, -1, 7},
                    {5, DAT_IMAGENATIVEXFER, MSG_GET, -1, 7},
                    {5, DAT_IMAGEMEMXFER, MSG_GET, -1, 7},
                    {5, DAT_EXTIMAGEINFO, MSG_GET, -1, 6},
                    {5, DAT_PENDINGXFERS, MSG_ENDXFER, 3, 6},
                    {5, DAT_PENDINGXFERS, MSG_ENDXFER, -1, 5},
                    {5, DAT_IMAGELAYOUT, MSG_GET, -1, 5},
                    {5, DAT_IMAGEINFO, MSG_SET, -1, 5},
                    {5, DAT_IMAGEINFO, MSG_GET, -1, 6},
                    {6, DAT_IMAGEMEMXFER, MSG_GET, -1, 7},
                    {7, DAT_IMAGEMEMXFER, MSG_GET, -1, 7},
                    {5, DAT_USERINTERFACE, MSG_DISABLEDS, -1, 4},
                    {4, DAT_IMAGEINFO, MSG_GET, -1, 4},
                    {4, DAT_IMAGEMEMXFER, MSG_GET, -1, 4},
                    {7, DAT_PENDINGXFERS, MSG_ENDXFER, 0xFFFF, 6},
                    {6, DAT_PENDINGXFERS, MSG_ENDXFER, 2, 6},
                    {6, DAT_PENDINGXFERS, MSG_ENDXFER, 0, 5},
                    {5, DAT_PENDINGXFERS, MSG_ENDXFER, 0, 5},
                    {7, DAT_PENDINGXFERS, MSG_ENDXFER, -1, 7},
                    {6, DAT_PENDINGXFERS, MSG_RESET, -1, 5},
                    {7, DAT_PENDINGXFERS, MSG_RESET, -1, 7},
                    {0, DAT_IDENTITY, MSG_OPENDS, -1, 0}};

TEST(TwainState, TransitionRules) {
  for (const auto& t : kTransitions) {
    CParaAnalyze analyzer;
    analyzer.SetTwainStatus(t.from);
    CallData call(t.DAT, t.value);
    EXPECT_EQ(analyzer.UpDateTwainStatus(DG_CONTROL, t.DAT, t.MSG, call.data), t.to)
        << "from " << t.from << " DAT " << t.DAT << " MSG " << t.MSG;
  }
}

struct Call {
  TW_UINT16 DAT, MSG, rc;
  int value, stateAfter;
};

// A scan of two pages with a refused enable and events that are not the source's, each call with
// the state it leaves. A failed call leaves the state where it was; events and the transfer-ready
// notice get no header.
const Call kSession[] = {{DAT_PARENT, MSG_OPENDSM, TWRC_SUCCESS, -1, 3},
                         {DAT_IDENTITY, MSG_OPENDS, TWRC_SUCCESS, -1, 4},
                         {DAT_CAPABILITY, MSG_GETCURRENT, TWRC_SUCCESS, -1, 4},
                         {DAT_USERINTERFACE, MSG_ENABLEDS, TWRC_FAILURE, -1, 4},
                         {DAT_USERINTERFACE, MSG_ENABLEDS, TWRC_SUCCESS, -1, 5},
                         {DAT_EVENT, MSG_PROCESSEVENT, TWRC_NOTDSEVENT, MSG_NULL, 5},
                         {DAT_EVENT, MSG_PROCESSEVENT, TWRC_DSEVENT, MSG_NULL, 5},
                         {DAT_EVENT, MSG_PROCESSEVENT, TWRC_DSEVENT, MSG_XFERREADY, 6},
                         {DAT_NULL, MSG_XFERREADY, TWRC_SUCCESS, -1, 6},
                         {DAT_IMAGEINFO, MSG_GET, TWRC_SUCCESS, -1, 6},
                         {DAT_IMAGENATIVEXFER, MSG_GET, TWRC_XFERDONE, -1, 7},
                         {DAT_PENDINGXFERS, MSG_ENDXFER, TWRC_SUCCESS, 1, 6},
                         {DAT_IMAGENATIVEXFER, MSG_GET, TWRC_FAILURE, -1, 6},
                         {DAT_IMAGENATIVEXFER, MSG_GET, TWRC_XFERDONE, -1, 7},
                         {DAT_PENDINGXFERS, MSG_ENDXFER, TWRC_SUCCESS, 0, 5},
                         {DAT_EVENT, MSG_PROCESSEVENT, TWRC_DSEVENT, MSG_CLOSEDSREQ, 4},
                         {DAT_IDENTITY, MSG_CLOSEDS, TWRC_SUCCESS, -1, 3},
                         {DAT_PARENT, MSG_CLOSEDSM, TWRC_SUCCESS, -1, 2}};

// The session through the full analysis and the tracking alone, which must agree after every
// call.
TEST(TrackCall, KeepsCountAndStateAsTheFullAnalysisThroughASession) {
  CParaAnalyze full;
  CParaAnalyze tracked;
  full.SetTwainStatus(2);
  tracked.SetTwainStatus(2);
  for (const Call& call : kSession) {
    CallData callData(call.DAT, call.value);
    char text[5122] = {};
    full.TripletAnalyze(nullptr, nullptr, DG_CONTROL, call.DAT, call.MSG, callData.data, text,
                        sizeof(text));
    text[0] = '\0';
    full.ParaAnalyze(nullptr, nullptr, DG_CONTROL, call.DAT, call.MSG, callData.data, call.rc, text,
                     sizeof(text));
    tracked.TrackCall(nullptr, DG_CONTROL, call.DAT, call.MSG, callData.data, call.rc);
    EXPECT_EQ(tracked.GetTwainStatus(), full.GetTwainStatus()) << "after MSG " << call.MSG;
    EXPECT_EQ(tracked.m_nSequence, full.m_nSequence) << "after MSG " << call.MSG;
    EXPECT_EQ(full.GetTwainStatus(), call.stateAfter) << "after MSG " << call.MSG;
  }
  EXPECT_EQ(full.m_nSequence, 13);
}

}  // namespace
