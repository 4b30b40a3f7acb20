#include "report/call_runs.h"

#include <cstdio>

#include "log_reader/text_helpers.h"

namespace report {

namespace {

// The answers that say nothing more than that the call did its work.
bool IsUsualCode(std::string_view code) {
  return code == "TWRC_SUCCESS" || code == "TWRC_XFERDONE" || code == "TWRC_NOTDSEVENT";
}

bool ChangesCapability(const log_reader::Triplet& triplet) {
  return triplet.hasCapability &&
         (triplet.message == "MSG_SET" || triplet.message == "MSG_RESET" ||
          triplet.message == "MSG_SETCONSTRAINT" || triplet.message == "MSG_RESETALL");
}

bool IsFoldable(const log_reader::Triplet& triplet) {
  return triplet.hasResult && IsUsualCode(triplet.returnCode) && !ChangesCapability(triplet) &&
         triplet.Complete() && !triplet.truncatedLine && !triplet.cut && triplet.malformed.empty();
}

// The triplet text without building it: "group/argumentType/message".
bool SameTriplet(const std::string& text, const log_reader::Triplet& triplet) {
  if (!triplet.hasHeader) return text == "MSG_PROCESSEVENT (no header)";
  std::string_view rest = text;
  for (std::string_view part : {triplet.group, triplet.argumentType, triplet.message}) {
    if (!log_reader::StartsWith(rest, part)) return false;
    rest.remove_prefix(part.size());
    if (part.data() != triplet.message.data()) {
      if (rest.empty() || rest.front() != '/') return false;
      rest.remove_prefix(1);
    }
  }
  return rest.empty();
}

bool Continues(const CallRow& run, const log_reader::Triplet& triplet) {
  return run.foldable && IsFoldable(triplet) && run.capability == triplet.capability &&
         SameTriplet(run.triplet, triplet);
}

void AddStrip(const log_reader::Triplet& triplet, CallRow* row) {
  if (triplet.returnCode == "TWRC_XFERDONE") ++row->transfersDone;
  if (triplet.argumentType != "DAT_IMAGEMEMXFER") return;
  std::optional<long long> written = log_reader::ParseInteger(triplet.Field("BytesWritten"));
  if (written && *written > 0) row->bytes += static_cast<unsigned long long>(*written);
}

CallRow RowOf(const log_reader::Triplet& triplet) {
  CallRow row;
  row.first = row.last = MarkOf(triplet);
  row.triplet = log_reader::TripletText(triplet);
  row.capability = std::string(triplet.capability);
  row.returnCode = triplet.hasResult ? std::string(triplet.returnCode) : "no result";
  row.foldable = IsFoldable(triplet);
  AddStrip(triplet, &row);
  return row;
}

// The calls of `more` added to the run `row`.
void Merge(const CallRow& more, CallRow* row) {
  row->last = more.last;
  row->count += more.count;
  if (more.returnCode != row->returnCode) {
    ++row->otherCode;
    row->otherCodeName = more.returnCode;
  }
  row->bytes += more.bytes;
  row->transfersDone += more.transfersDone;
}

std::string Size(unsigned long long bytes) {
  char text[32];
  if (bytes >= 1000ull * 1000 * 1000) {
    snprintf(text, sizeof(text), "%.1f GB", static_cast<double>(bytes) / 1e9);
  } else if (bytes >= 1000ull * 1000) {
    snprintf(text, sizeof(text), "%.1f MB", static_cast<double>(bytes) / 1e6);
  } else {
    snprintf(text, sizeof(text), "%llu bytes", bytes);
  }
  return text;
}

}  // namespace

std::string Thousands(unsigned long long value) {
  std::string digits = std::to_string(value);
  std::string text;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

namespace {

// "DG_IMAGE/DAT_IMAGEINFO/MSG_GET" or "about 877 x DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET" for a
// row of a round: the runs' counts as an average over the rounds.
std::string RoundRowText(const CallRow& slot, size_t rounds) {
  std::string text;
  if (slot.roundCalls > rounds) {
    text += (slot.roundCalls % rounds == 0 ? "" : "about ") + Thousands(slot.roundCalls / rounds) +
            " x ";
  }
  text += slot.triplet;
  if (!slot.capability.empty()) text += " (" + slot.capability + ")";
  return text;
}

std::string CycleText(const CallRow& row) {
  std::string text = "#" + SequenceText(row.first) + "-#" + SequenceText(row.last) + ": " +
                     Thousands(row.rounds) + " x [";
  size_t otherCodes = 0;
  std::string otherName;
  for (size_t i = 0; i < row.round.size(); ++i) {
    text += (i > 0 ? ", " : "") + RoundRowText(row.round[i], row.rounds);
    otherCodes += row.round[i].otherCode;
    if (row.round[i].otherCode > 0) otherName = row.round[i].otherCodeName;
  }
  text += "], " + Thousands(row.count) + " calls, all " + row.round.front().returnCode;
  if (otherCodes > 0) text += " but " + Thousands(otherCodes) + " " + otherName;
  if (row.bytes > 0) {
    text += ", " + Size(row.bytes);
    if (row.transfersDone > 0) {
      text += " in " + log_reader::Counted(row.transfersDone, "page", "pages");
    }
  }
  return text;
}

}  // namespace

std::string CallRowText(const CallRow& row) {
  if (row.rounds > 0) return CycleText(row);
  std::string text = "#" + SequenceText(row.first);
  if (row.Folded()) text += "-#" + SequenceText(row.last);
  text += ": ";
  if (row.Folded()) text += Thousands(row.count) + " x ";
  text += row.triplet;
  if (!row.capability.empty()) text += " (" + row.capability + ")";
  if (!row.Folded()) return text + ", " + row.returnCode;
  text += ", all " + row.returnCode;
  if (row.otherCode > 0) text += " but " + Thousands(row.otherCode) + " " + row.otherCodeName;
  if (row.bytes > 0) {
    text += ", " + Size(row.bytes);
    if (row.transfersDone > 0) {
      text += " in " + log_reader::Counted(row.transfersDone, "page", "pages");
    }
  }
  return text;
}

void CallRuns::Take(const log_reader::Triplet& triplet) {
  if (!open_.empty() && !Continues(open_.front(), triplet)) Close();
  if (open_.size() == 1 && open_.front().count >= kFoldedRun) {
    // The bulk of a long log: counted into the run without a copy of its names.
    CallRow& run = open_.front();
    run.last = MarkOf(triplet);
    ++run.count;
    if (triplet.returnCode != run.returnCode) {
      ++run.otherCode;
      run.otherCodeName = triplet.returnCode;
    }
    AddStrip(triplet, &run);
    return;
  }
  CallRow row = RowOf(triplet);
  if (!row.foldable) {
    Emit(std::move(row));
    return;
  }
  open_.push_back(std::move(row));
  if (open_.size() == kFoldedRun) {
    // Long enough: from here on the run is one row.
    for (size_t i = 1; i < open_.size(); ++i) Merge(open_[i], &open_.front());
    open_.resize(1);
  }
}

void CallRuns::Finish() {
  Close();
  CloseCycle();
  while (!recent_.empty()) {
    Commit(std::move(recent_.front()));
    recent_.pop_front();
  }
}

void CallRuns::Close() {
  for (CallRow& row : open_) Emit(std::move(row));
  open_.clear();
}

// Rows alike in all but their counts: the same call, answered alike, folded or not.
bool SameShape(const CallRow& a, const CallRow& b) {
  return a.foldable && b.foldable && a.round.empty() && b.round.empty() &&
         a.Folded() == b.Folded() && a.triplet == b.triplet && a.capability == b.capability &&
         (a.Folded() || a.returnCode == b.returnCode);
}

void AddRound(const std::vector<CallRow>& rows, CallRow* cycle) {
  for (size_t i = 0; i < rows.size(); ++i) {
    CallRow& slot = cycle->round[i];
    slot.roundCalls += rows[i].count;
    slot.otherCode += rows[i].otherCode + (rows[i].returnCode != slot.returnCode ? 1 : 0);
    if (!rows[i].otherCodeName.empty()) slot.otherCodeName = rows[i].otherCodeName;
    if (rows[i].returnCode != slot.returnCode) slot.otherCodeName = rows[i].returnCode;
    cycle->count += rows[i].count;
    cycle->bytes += rows[i].bytes;
    cycle->transfersDone += rows[i].transfersDone;
  }
  cycle->last = rows.back().last;
  ++cycle->rounds;
}

// The last `period` rows repeat the `period` before them, one of them a folded run.
void CallRuns::StartCycle(size_t period) {
  std::vector<CallRow> first(recent_.end() - 2 * period, recent_.end() - period);
  std::vector<CallRow> second(recent_.end() - period, recent_.end());
  recent_.erase(recent_.end() - 2 * period, recent_.end());
  while (!recent_.empty()) {
    Commit(std::move(recent_.front()));
    recent_.pop_front();
  }
  cycle_ = CallRow{};
  cycle_.count = 0;
  cycle_.first = first.front().first;
  cycle_.triplet = "cycle";
  cycle_.foldable = true;
  cycle_.round = first;
  for (CallRow& slot : cycle_.round) {
    slot.otherCode = 0;
    slot.otherCodeName.clear();
  }
  AddRound(first, &cycle_);
  AddRound(second, &cycle_);
}

void CallRuns::CloseCycle() {
  if (cycle_.rounds == 0) return;
  CallRow cycle = std::move(cycle_);
  cycle_ = CallRow{};
  Commit(std::move(cycle));
  std::vector<CallRow> partial = std::move(partial_);
  partial_.clear();
  for (CallRow& row : partial) Emit(std::move(row));
}

// A row joins the cycle being read, or waits among the recent ones to begin one.
void CallRuns::Emit(CallRow row) {
  if (cycle_.rounds > 0) {
    if (SameShape(cycle_.round[partial_.size()], row)) {
      partial_.push_back(std::move(row));
      if (partial_.size() == cycle_.round.size()) {
        AddRound(partial_, &cycle_);
        partial_.clear();
      }
      return;
    }
    CloseCycle();
  }
  recent_.push_back(std::move(row));
  for (size_t period = 1; period <= kLongestRound && 2 * period <= recent_.size(); ++period) {
    bool repeats = true;
    bool anyRun = false;
    for (size_t i = recent_.size() - period; i < recent_.size() && repeats; ++i) {
      repeats = SameShape(recent_[i - period], recent_[i]);
      anyRun = anyRun || recent_[i].Folded();
    }
    if (repeats && anyRun) {
      StartCycle(period);
      return;
    }
  }
  if (recent_.size() > 2 * kLongestRound) {
    Commit(std::move(recent_.front()));
    recent_.pop_front();
  }
}

void CallRuns::Commit(CallRow row) {
  ++rows_;
  anyFolded_ = anyFolded_ || row.Folded();
  if (head_.size() < kHeadRows) {
    head_.push_back(std::move(row));
    return;
  }
  tail_.push_back(std::move(row));
  if (tail_.size() <= kTailRows) return;
  const CallRow& dropped = tail_.front();
  if (leftOut_.calls == 0) leftOut_.first = dropped.first;
  leftOut_.last = dropped.last;
  leftOut_.calls += dropped.count;
  ++leftOut_.rows;
  tail_.pop_front();
}

}  // namespace report
