// The log read in one pass through a bounded buffer: the same items as the whole log in memory,
// wherever the buffer's refills fall, and a line too long to hold reported and passed over.
#include "log_reader/log_reader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "tools/log_reader/log_text.h"

namespace {

using namespace report_test;

// Each item as "kind line offset bytes".
std::vector<std::string> Items(log_reader::LogReader* reader) {
  std::vector<std::string> items;
  while (const log_reader::LogItem* item = reader->Next()) {
    if (const auto* entry = std::get_if<log_reader::RawEntry>(item)) {
      items.push_back("E " + std::to_string(entry->firstLine) + " " +
                      std::to_string(entry->offset) + " " + std::string(entry->raw));
    } else if (const auto* message = std::get_if<log_reader::LoggerMessage>(item)) {
      items.push_back("M " + std::to_string(message->firstLine) + " " + std::string(message->raw));
    } else {
      const auto& unknown = std::get<log_reader::UnknownLine>(*item);
      items.push_back("U " + std::to_string(unknown.line.number) + " " +
                      std::to_string(unknown.line.offset) + " " +
                      std::to_string(unknown.line.text.size()) + (unknown.overLong ? " long" : ""));
    }
  }
  return items;
}

// The items of `log` read from a file, which the reader reads to its end without an error.
std::vector<std::string> ItemsOfFile(const std::string& log) {
  std::string path = std::string(REPORT_OUTPUT) + "/read.txt";
  std::ofstream(path, std::ios::binary) << log;
  int fd = open(path.c_str(), O_RDONLY);
  EXPECT_GE(fd, 0) << path;
  log_reader::LogReader reader(fd);
  std::vector<std::string> items = Items(&reader);
  close(fd);
  EXPECT_EQ(reader.Error(), "");
  EXPECT_EQ(reader.Offset(), log.size());
  return items;
}

// Several megabytes of entries of every kind, so that the buffer is refilled inside them.
TEST(LogReader, ReadsAFileInPiecesAsTheWholeTextInMemory) {
  std::string log;
  for (int i = 1; i <= 6000; ++i) {
    log +=
        Entry(i, "DG_CONTROL/DAT_CAPABILITY/MSG_GET (ICAP_XRESOLUTION)",
              CapabilityDump("ICAP_XRESOLUTION", "TWON_ONEVALUE", OneValue("TWTY_FIX32", "1")), 4);
    if (i % 7 == 0) log += FailedEntry(++i, "DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS");
    if (i % 11 == 0) log += "[2026/01/05 09:30:15.120] INFO from \"x\" note\nsecond line\n";
    if (i % 13 == 0) log += std::string(3000, 'z') + "\r\n";
  }
  log_reader::LogReader fromMemory(log);
  EXPECT_EQ(ItemsOfFile(log), Items(&fromMemory));
}

// A line of 3 MiB is one unrecognized line showing its first bytes; the entries around it are
// read as ever, with their line numbers.
TEST(LogReader, ALineTooLongToHoldIsReportedOnceAndPassedOver) {
  std::string before = Entry(1, "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS", "", 4);
  std::string after = Entry(2, "DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS", "", 3);
  for (const std::string& end : {std::string("\r\n"), std::string()}) {
    std::string log = before + std::string(3 << 20, 'x') + end + after;
    // Without a line end the long line runs on to the header's end, and the entry's result
    // lines are read as one without header.
    const std::string rest = end.empty() ? after.substr(after.find("\r\n") + 2) : after;
    EXPECT_EQ(
        ItemsOfFile(log),
        (std::vector<std::string>{"E 1 0 " + before,
                                  "U 6 " + std::to_string(before.size()) + " " +
                                      std::to_string(log_reader::kOverLongExcerpt) + " long",
                                  "E 7 " + std::to_string(log.size() - rest.size()) + " " + rest}));
  }
}

}  // namespace
