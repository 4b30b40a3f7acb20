#include "report/session_overview.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "log_reader/text_helpers.h"
#include "twaintrace/log_format.h"

namespace report {

namespace {

struct CivilTime {
  int year, month, day, hour, minute, second, millisecond;
};

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValid(const CivilTime& t) {
  return t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= DaysInMonth(t.year, t.month) &&
         t.hour < 24 && t.minute < 60 && t.second < 61 && t.millisecond <= 1000;
}

void CarryMillisecond(CivilTime* t) {
  if (t->millisecond < 1000) return;
  t->millisecond -= 1000;
  if (++t->second < 60) return;
  t->second = 0;
  if (++t->minute < 60) return;
  t->minute = 0;
  if (++t->hour < 24) return;
  t->hour = 0;
  if (++t->day <= DaysInMonth(t->year, t->month)) return;
  t->day = 1;
  if (++t->month <= 12) return;
  t->month = 1;
  ++t->year;
}

int Digits(std::string_view text, size_t at, size_t count) {
  return static_cast<int>(*log_reader::ParseInteger(text.substr(at, count)));
}

std::string_view BaseName(std::string_view path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

void CountSequence(const log_reader::Triplet& triplet, Overview* overview) {
  if (!triplet.hasHeader) {
    ++overview->withoutHeader;
    return;
  }
  if (overview->lastSequence) {
    if (triplet.sequence <= *overview->lastSequence) {
      ++overview->sequenceRestarts;
    } else if (triplet.sequence > *overview->lastSequence + 1) {
      ++overview->sequenceGaps;
    }
  }
  if (!overview->firstSequence) overview->firstSequence = triplet.sequence;
  overview->lastSequence = triplet.sequence;
}

void CountState(const log_reader::Triplet& triplet, Overview* overview) {
  if (!triplet.state) return;
  ++overview->stateLines;
  overview->lastState = triplet.state;
  overview->highestState =
      std::max(overview->highestState.value_or(*triplet.state), *triplet.state);
}

bool IsOpenDataSource(const log_reader::Triplet& triplet) {
  return triplet.argumentType == "DAT_IDENTITY" && triplet.message == "MSG_OPENDS" &&
         triplet.hasResult && !triplet.Failed() && triplet.HasField("ProductName");
}

}  // namespace

std::optional<std::string> LoadTimeFromFileName(std::string_view fileName) {
  std::string_view name = BaseName(fileName);
  // Twainlog_YYYYMMDD_HHMMSS_mmmm.txt
  static constexpr std::string_view kShape = log_format::kFileNameShape;
  if (name.size() != kShape.size()) return std::nullopt;
  for (size_t i = 0; i < name.size(); ++i) {
    if (kShape[i] == 'd' ? !log_reader::IsDigit(name[i]) : name[i] != kShape[i])
      return std::nullopt;
  }
  CivilTime t{Digits(name, 9, 4),  Digits(name, 13, 2), Digits(name, 15, 2), Digits(name, 18, 2),
              Digits(name, 20, 2), Digits(name, 22, 2), Digits(name, 25, 4)};
  if (!IsValid(t)) return std::nullopt;
  CarryMillisecond(&t);
  char text[96];
  snprintf(text, sizeof(text), "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.year, t.month, t.day, t.hour,
           t.minute, t.second, t.millisecond);
  return std::string(text);
}

OverviewCollector::OverviewCollector(std::string fileName) {
  overview_.loadTime = LoadTimeFromFileName(fileName);
  overview_.fileName = std::move(fileName);
}

void OverviewCollector::Take(const log_reader::Triplet& triplet) {
  ++overview_.triplets;
  CountSequence(triplet, &overview_);
  CountState(triplet, &overview_);
  // Only the log's last entry may end unfinished because the host stopped.
  if (lastIncomplete_) ++overview_.incompleteEntries;
  lastIncomplete_.reset();
  if (triplet.cut) ++overview_.cutEntries;
  if (!triplet.Complete() || triplet.truncatedLine) lastIncomplete_ = MarkOf(triplet);
  if (overview_.dataSource.empty() && IsOpenDataSource(triplet)) {
    overview_.dataSource = std::string(triplet.Field("ProductName"));
  }
}

void OverviewCollector::Take(const log_reader::LoggerMessage& message) {
  ++overview_.loggerMessages;
  ++overview_.messagesByLevel[std::string(message.prefix.level)];
}

Overview OverviewCollector::Finish(size_t failures) && {
  overview_.failures = failures;
  overview_.unfinishedLast = lastIncomplete_;
  // Closed means the data source is closed again (state 3, or 2 once the manager is closed)
  // and the host did not stop in the middle of a call.
  overview_.closedCleanly = overview_.lastState && *overview_.lastState >= 2 &&
                            *overview_.lastState <= 3 && !overview_.unfinishedLast;
  return std::move(overview_);
}

}  // namespace report
