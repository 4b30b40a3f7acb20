// Plays the application's side of a log against a data source. Each load of the data source that
// the log holds is played in a child process of its own, so that a source that crashes or hangs
// is reported with the call it did it on instead of taking the replay with it.
#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "log_reader/triplet_entry.h"
#include "replay/divergence.h"

namespace replay {

struct ReplayOptions {
  std::string dataSource;
  int timeoutSeconds = 10;  // for each call
  bool stopAtFirst = false;
  bool verbose = false;  // also print every notice the source sent
  // Divergences, skips and notices kept for the result, of each kind; the rest are counted, so
  // that a log of millions of calls that all answer differently is replayed in bounded memory.
  size_t mostListed = 1000;
};

struct EntryNote {
  std::string label;  // "#00012 DG_CONTROL/DAT_CAPABILITY/MSG_GET (ICAP_XRESOLUTION)"
  size_t line = 0;    // where the entry begins in the log
  std::string reason;
  std::vector<Divergence> divergences;
};

// A notice the source sent the source manager (a transfer is ready, close me), told as the
// entry during or before which it came; the log cannot show it, since it does not pass
// through DS_Entry.
struct NoticeNote {
  std::string label;  // the entry's, as in EntryNote
  size_t line = 0;
  std::string message;  // "MSG_XFERREADY"
  bool accepted = false;
  std::string refusal;  // why the source manager refused it
};

struct ReplayResult {
  int replayed = 0;
  std::vector<EntryNote> skipped;
  std::vector<EntryNote> diverged;
  std::vector<NoticeNote> notices;
  // Beyond those listed: past ReplayOptions::mostListed, or for notices, past those listed for
  // their entry.
  size_t unlistedSkips = 0;
  size_t unlistedDivergences = 0;
  size_t unlistedNotices = 0;
  // The call on which the source crashed or hung; the replay of its load ended there.
  std::optional<EntryNote> aborted;
  std::optional<std::string> loadError;  // the data source could not be loaded
  int loads = 0;

  size_t Skipped() const { return skipped.size() + unlistedSkips; }
  // Every call that answered differently, the one the source crashed or hung on included.
  size_t Diverged() const { return diverged.size() + unlistedDivergences + (aborted ? 1 : 0); }
};

// How an entry is named in every message: its running number, triplet and capability, or its
// line for an entry without header.
std::string EntryLabel(const log_reader::Triplet& entry);

// One line per note, as the replay prints it.
std::string SkipLine(const EntryNote& note);
std::vector<std::string> DivergenceLines(const EntryNote& note);
std::string AbortLine(const EntryNote& note);
std::string NoticeLine(const NoticeNote& notice);

// The log's triplet entries in order, one at a time, their ordinals counted from 1. The replay
// process forked for each load reads on from its own copy of the source, which must allow
// that (a log reader over pread does) and says nothing there once Quiet() is called.
class EntrySource {
 public:
  virtual ~EntrySource() = default;
  // The next entry, or null at the log's end; valid until the next call.
  virtual const log_reader::Triplet* Next() = 0;
  virtual void Quiet() {}
};

// Replays the entries of `source`, printing each skip, divergence and abort to `out` as it is
// found, unless `out` is null. It holds the entry being played and the one after it, never
// the log.
ReplayResult Replay(EntrySource& source, const ReplayOptions& options, std::ostream* out);

}  // namespace replay
