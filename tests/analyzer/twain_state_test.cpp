#include <gtest/gtest.h>

#include "analyzer/para_analyze.h"

namespace {

struct Transition {
  int from;
  TW_UINT16 DAT;
  TW_UINT16 MSG;
  int dataValue;  // TWMessage of an event or Count of pending transfers; -1 for no data
  int to;
};

// Every rule, the states it does not fire from, and the triplets that look alike but do not move.
constexpr Transition kTransitions[] = {
    {2, DAT_PARENT, MSG_OPENDSM, -1, 3},
    {4, DAT_PARENT, MSG_OPENDSM, -1, 4},
    {3, DAT_PARENT, MSG_CLOSEDSM, -1, 2},
    {3, DAT_IDENTITY, MSG_OPENDS, -1, 4},
    {4, DAT_IDENTITY, MSG_OPENDS, -1, 4},
    {4, DAT_IDENTITY, MSG_CLOSEDS, -1, 3},
    {4, DAT_CAPABILITY, MSG_ENABLEDS, -1, 5},
    {4, DAT_USERINTERFACE, MSG_ENABLEDSUIONLY, -1, 4},
    {5, DAT_USERINTERFACE, MSG_DISABLEDS, -1, 4},
    {5, DAT_CAPABILITY, MSG_DISABLEDS, -1, 5},
    {5, DAT_EVENT, MSG_PROCESSEVENT, MSG_XFERREADY, 6},
    {5, DAT_EVENT, MSG_PROCESSEVENT, MSG_CLOSEDSREQ, 4},
    {5, DAT_EVENT, MSG_PROCESSEVENT, -1, 5},
    {6, DAT_EVENT, MSG_PROCESSEVENT, MSG_XFERREADY, 6},
    {6, DAT_IMAGENATIVEXFER, MSG_GET, -1, 7},
    {6, DAT_IMAGEMEMXFER, MSG_GET, -1, 7},
    {6, DAT_IMAGEFILEXFER, MSG_PROCESSEVENT, -1, 7},
    // A transfer made ready through the source manager's callback: state 5 counts as 6.
    {5, DAT_IMAGENATIVEXFER, MSG_GET, -1, 7},
    {5, DAT_IMAGEMEMXFER, MSG_GET, -1, 7},
    {5, DAT_IMAGEINFO, MSG_GET, -1, 6},
    {5, DAT_EXTIMAGEINFO, MSG_GET, -1, 6},
    {5, DAT_PENDINGXFERS, MSG_ENDXFER, 3, 6},
    {5, DAT_PENDINGXFERS, MSG_ENDXFER, -1, 5},
    {5, DAT_IMAGELAYOUT, MSG_GET, -1, 5},
    {5, DAT_IMAGEINFO, MSG_SET, -1, 5},
    {4, DAT_IMAGEINFO, MSG_GET, -1, 4},
    {4, DAT_IMAGEMEMXFER, MSG_GET, -1, 4},
    {6, DAT_IMAGEINFO, MSG_GET, -1, 6},
    {7, DAT_PENDINGXFERS, MSG_ENDXFER, 0, 5},
    {7, DAT_PENDINGXFERS, MSG_ENDXFER, 0xFFFF, 6},
    {6, DAT_PENDINGXFERS, MSG_ENDXFER, 2, 6},
    {6, DAT_PENDINGXFERS, MSG_ENDXFER, 0, 5},
    {5, DAT_PENDINGXFERS, MSG_ENDXFER, 0, 5},
    {7, DAT_PENDINGXFERS, MSG_ENDXFER, -1, 7},
    {6, DAT_PENDINGXFERS, MSG_RESET, -1, 5},
    {7, DAT_PENDINGXFERS, MSG_RESET, -1, 7},
    {0, DAT_IDENTITY, MSG_OPENDS, -1, 0},
};

TEST(TwainState, TransitionRules) {
  for (const Transition& t : kTransitions) {
    CParaAnalyze analyzer;
    analyzer.SetTwainStatus(t.from);
    TW_EVENT event{};
    TW_PENDINGXFERS pending{};
    char* data = nullptr;
    if (t.dataValue >= 0 && t.DAT == DAT_EVENT) {
      event.TWMessage = static_cast<TW_UINT16>(t.dataValue);
      data = reinterpret_cast<char*>(&event);
    } else if (t.dataValue >= 0) {
      pending.Count = static_cast<TW_UINT16>(t.dataValue);
      data = reinterpret_cast<char*>(&pending);
    }
    EXPECT_EQ(analyzer.UpDateTwainStatus(DG_CONTROL, t.DAT, t.MSG, data), t.to)
        << "from " << t.from << " DAT " << t.DAT << " MSG " << t.MSG;
  }
}

TEST(TwainState, StateLineIsWrittenNotAppended) {
  CParaAnalyze analyzer;
  analyzer.InitTwainStatus();
  char line[256] = "previous text";
  analyzer.MakeTwainStatusString(line);
  EXPECT_STREQ(line, "\r\nTWAIN Status = [1]\r\n");
}

}  // namespace
