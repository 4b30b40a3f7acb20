#include "report/report_wording.h"

#include "log_reader/line_patterns.h"
#include "log_reader/text_helpers.h"

namespace report {

namespace {

std::string CallText(const CapabilityCall& call) {
  std::string text = "#" + SequenceText(call.triplet) + " " + call.result;
  if (!call.value.empty()) text += ": " + call.value;
  if (!call.conditionCode.empty()) text += " (" + call.conditionCode + ")";
  return text;
}

std::string Or(std::string_view text, std::string_view fallback) {
  return std::string(text.empty() ? fallback : text);
}

}  // namespace

std::string StateText(const std::optional<int>& state) {
  return state ? std::to_string(*state) : "none shown";
}

std::string ClosedText(const Report& report) {
  const Overview& overview = report.overview;
  if (overview.closedCleanly) return "yes, back to state " + std::to_string(*overview.lastState);
  if (overview.unfinishedLast) return "no, the log ends inside a triplet";
  if (!overview.lastState) return "unknown, no state line";
  return "no, the last state is " + std::to_string(*overview.lastState);
}

std::string LogEndText(const Report& report) {
  const Overview& overview = report.overview;
  if (!overview.unfinishedLast) return "complete";
  const EntryMark& last = *overview.unfinishedLast;
  return "ends inside triplet #" + SequenceText(last) + " (line " + std::to_string(last.line) +
         "): the host stopped during the call";
}

std::string TripletCountText(const Overview& overview) {
  std::string text = std::to_string(overview.triplets);
  if (overview.withoutHeader > 0) {
    text += " (" + std::to_string(overview.withoutHeader) + " MSG_PROCESSEVENT without header)";
  }
  return text;
}

std::string RunningNumbersText(const Overview& overview) {
  if (!overview.firstSequence) return "none";
  std::string text =
      std::to_string(*overview.firstSequence) + " to " + std::to_string(*overview.lastSequence);
  if (overview.sequenceGaps > 0)
    text += ", " + log_reader::Counted(overview.sequenceGaps, "gap", "gaps");
  if (overview.sequenceRestarts > 0) {
    text += ", " + log_reader::Counted(overview.sequenceRestarts, "restart", "restarts") +
            " (several loads wrote this file)";
  }
  return text;
}

std::string MessageCountText(const Overview& overview) {
  std::string text = std::to_string(overview.loggerMessages);
  if (overview.messagesByLevel.empty()) return text;
  std::string levels;
  for (const auto& [level, count] : overview.messagesByLevel) {
    if (!levels.empty()) levels += ", ";
    levels += (level.empty() ? "no level" : level) + " " + std::to_string(count);
  }
  return text + " (" + levels + ")";
}

std::string CapabilityCallText(const CapabilityOutcome& outcome) {
  if (!outcome.last) return "-";
  std::string text = CallText(*outcome.last);
  if (outcome.lastAnswered) text += "; before: " + CallText(*outcome.lastAnswered);
  return text;
}

std::string ImageInfoText(const ImagePage& page) {
  if (!page.info) return "not shown";
  const ImageInfo& info = *page.info;
  return Or(info.width, "?") + " x " + Or(info.length, "?") + " pixels, resolution " +
         Or(info.xResolution, "?") + " x " + Or(info.yResolution, "?") + ", " +
         Or(info.pixelType, "?") + ", " + Or(info.bitsPerPixel, "?") + " bits per pixel, " +
         Or(info.compression, "?");
}

std::string TransferText(const ImagePage& page) {
  std::string text = MechanismName(page.mechanism);
  if (page.mechanism == TransferMechanism::kNone) return "no transfer";
  if (page.mechanism == TransferMechanism::kMemory) {
    text += ", " + log_reader::Counted(page.strips, "strip", "strips") + ", ";
    text += page.bytesShown ? std::to_string(page.bytes) + " bytes" : "bytes not shown";
    if (!page.stripCompression.empty()) text += ", " + page.stripCompression;
  }
  if (!page.nativeHandle.empty()) text += ", handle " + std::string(page.nativeHandle);
  return text + ", " + std::string(page.result);
}

std::string PageEndText(const ImagePage& page) {
  if (!page.ended) return "transfer not ended in the log";
  if (!page.pendingAfter) return "ended";
  return "ended, " + std::to_string(*page.pendingAfter) + " pending";
}

std::string PageTriplets(const ImagePage& page) {
  return "#" + SequenceText(page.firstTriplet) + " to #" + SequenceText(page.lastTriplet);
}

std::string EntryProblems(const Report& report, const log_reader::Triplet& triplet) {
  std::string problems;
  auto add = [&problems](const std::string& problem) {
    problems += (problems.empty() ? "" : "; ") + problem;
  };
  if (!triplet.hasResult) add("no result lines");
  if (triplet.cut) {
    add(triplet.cutAtLimit ? "cut at " + std::to_string(log_reader::kParameterTextLimit) + " bytes"
                           : "cut, with bytes lost before the marker");
  }
  if (!triplet.malformed.empty()) {
    add(std::to_string(triplet.malformed.size()) + " unrecognized lines");
  }
  bool last =
      report.overview.unfinishedLast && report.overview.unfinishedLast->ordinal == triplet.ordinal;
  if (last) {
    add("the log ends inside this triplet");
  } else if (!triplet.Complete() || triplet.truncatedLine) {
    add("incomplete");
  }
  return problems;
}

}  // namespace report
