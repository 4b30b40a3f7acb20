#include "analyzer/para_analyze.h"

// Routes the triplet's data to its structure formatter by data argument type. No formatter is
// wired in yet, so every type is one without an operation: nothing is appended.
bool CParaAnalyze::DispatchDataArgument() {
  return true;
}
