// Vendor exchanges that carry no structure worth showing: their calls log the result and state
// lines only.
#include "analyzer/para_analyze.h"

bool CParaAnalyze::TwVxEventAnalyze() {
  return true;
}
bool CParaAnalyze::TwVxRedCorrectionMatrixAnalyze() {
  return true;
}
bool CParaAnalyze::TwVxTwainCallbackMsgAnalyze() {
  return true;
}
