#include "replay/replay_json.h"

#include <cstdio>

namespace replay {

namespace {

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += static_cast<char>(c);
    } else if (c < 0x20) {
      char escape[8];
      snprintf(escape, sizeof(escape), "\\u%04x", c);
      quoted += escape;
    } else {
      quoted += static_cast<char>(c);
    }
  }
  return quoted + "\"";
}

std::string NoteJson(const EntryNote& note, const std::string& detailKey,
                     const std::string& detail) {
  return "{\"entry\": " + Quoted(note.label) + ", \"line\": " + std::to_string(note.line) + ", " +
         Quoted(detailKey) + ": " + detail + "}";
}

std::string DivergencesJson(const EntryNote& note) {
  std::string fields = "[";
  for (size_t i = 0; i < note.divergences.size(); ++i) {
    const Divergence& divergence = note.divergences[i];
    if (i > 0) fields += ", ";
    fields += "{\"field\": " + Quoted(divergence.field) +
              ", \"logged\": " + Quoted(divergence.logged) +
              ", \"replayed\": " + Quoted(divergence.replayed) + "}";
  }
  return fields + "]";
}

template <typename Note, typename Render>
std::string List(const std::vector<Note>& notes, Render render) {
  std::string list = "[";
  for (size_t i = 0; i < notes.size(); ++i) {
    list += (i > 0 ? ",\n    " : "\n    ") + render(notes[i]);
  }
  return list + (notes.empty() ? "]" : "\n  ]");
}

std::string NoticeJson(const NoticeNote& notice) {
  return "{\"entry\": " + Quoted(notice.label) + ", \"line\": " + std::to_string(notice.line) +
         ", \"notice\": " + Quoted(notice.message) +
         ", \"accepted\": " + (notice.accepted ? "true" : "false") +
         ", \"refusal\": " + Quoted(notice.refusal) + "}";
}

}  // namespace

std::string ResultJson(const std::string& log, const std::string& dataSource,
                       const ReplayResult& result) {
  std::string json = "{\n";
  json += "  \"log\": " + Quoted(log) + ",\n";
  json += "  \"dataSource\": " + Quoted(dataSource) + ",\n";
  json += "  \"loads\": " + std::to_string(result.loads) + ",\n";
  json += "  \"replayed\": " + std::to_string(result.replayed) + ",\n";
  json += "  \"skipped\": " + std::to_string(result.Skipped()) + ",\n";
  json += "  \"diverged\": " + std::to_string(result.Diverged()) + ",\n";
  json +=
      "  \"divergences\": " +
      List(result.diverged,
           [](const EntryNote& note) { return NoteJson(note, "fields", DivergencesJson(note)); }) +
      ",\n";
  json +=
      "  \"skips\": " +
      List(result.skipped,
           [](const EntryNote& note) { return NoteJson(note, "reason", Quoted(note.reason)); }) +
      ",\n";
  json += "  \"notices\": " + List(result.notices, NoticeJson) + ",\n";
  json += "  \"unlistedDivergences\": " + std::to_string(result.unlistedDivergences) + ",\n";
  json += "  \"unlistedSkips\": " + std::to_string(result.unlistedSkips) + ",\n";
  json += "  \"unlistedNotices\": " + std::to_string(result.unlistedNotices) + ",\n";
  json += "  \"aborted\": " +
          (result.aborted ? NoteJson(*result.aborted, "reason", Quoted(result.aborted->reason))
                          : std::string("null")) +
          "\n}\n";
  return json;
}

}  // namespace replay
