// The calls in log order as a person would tell them: a run of alike calls (the same triplet
// and capability, each answered as usual) becomes one row, and what stands out (a failure, an
// unusual return code, a capability set, a damaged entry) keeps a row of its own. A long log
// keeps its first and its last rows and says where in the file the ones between stand.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "log_reader/triplet_entry.h"
#include "report/entry_mark.h"

namespace report {

// Fewer alike calls in a row than this are shown one by one.
inline constexpr size_t kFoldedRun = 10;
// The most rows of a round that repeats as a cycle.
inline constexpr size_t kLongestRound = 6;

struct CallRow {
  EntryMark first;
  EntryMark last;
  size_t count = 1;
  std::string triplet;  // "DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET"
  std::string capability;
  std::string returnCode;  // of a single call; of a run, its first call's
  size_t otherCode = 0;    // calls of a run answered with another usual code than the first's
  std::string otherCodeName;
  unsigned long long bytes = 0;  // memory transfer strips' BytesWritten
  size_t transfersDone = 0;      // TWRC_XFERDONE answers: pages transferred
  bool foldable = false;
  // A cycle: the rows of one round (their counts summed over all rounds), played `rounds`
  // times in a row, as the calls of each page of a scan.
  std::vector<CallRow> round;
  size_t rounds = 0;
  size_t roundCalls = 0;  // of a row of a round: its calls in all rounds

  bool Folded() const { return count > 1; }
};

// The calls between the first and the last rows kept.
struct LeftOutCalls {
  size_t calls = 0;
  size_t rows = 0;
  EntryMark first;
  EntryMark last;
};

class CallRuns {
 public:
  static constexpr size_t kHeadRows = 1000;
  static constexpr size_t kTailRows = 500;

  void Take(const log_reader::Triplet& triplet);
  void Finish();

  const std::vector<CallRow>& Head() const { return head_; }
  const std::deque<CallRow>& Tail() const { return tail_; }
  const LeftOutCalls& LeftOut() const { return leftOut_; }
  // Rows held, the open run's included: what the report's memory grows with.
  size_t RowsHeld() const {
    return head_.size() + tail_.size() + open_.size() + recent_.size() + partial_.size();
  }
  bool AnyFolded() const { return anyFolded_; }
  size_t Rows() const { return rows_; }

 private:
  void Close();
  void Emit(CallRow row);
  void Commit(CallRow row);
  void StartCycle(size_t period);
  void CloseCycle();

  std::vector<CallRow> head_;
  std::deque<CallRow> tail_;
  LeftOutCalls leftOut_;
  // The run being read: its calls one by one until it is long enough to fold.
  std::vector<CallRow> open_;
  // Rows not yet committed, while they may still turn out to be a cycle's rounds.
  std::deque<CallRow> recent_;
  CallRow cycle_;                 // the cycle being read, when its `rounds` is not 0
  std::vector<CallRow> partial_;  // the rows of its round being read
  bool anyFolded_ = false;
  size_t rows_ = 0;
};

// "#00031-#00909: 879 x DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET, all TWRC_SUCCESS but 1
// TWRC_XFERDONE, 91.6 MB in 1 page" or "#00006: DG_CONTROL/DAT_CAPABILITY/MSG_SET
// (ICAP_XRESOLUTION), TWRC_FAILURE".
std::string CallRowText(const CallRow& row);
// "43,960".
std::string Thousands(unsigned long long value);

}  // namespace report
