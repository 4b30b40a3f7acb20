#include "report/state_timeline.h"

#include <algorithm>
#include <cstdio>

#include "report/html_escape.h"

namespace report {

namespace {

constexpr double kWidth = 960;
constexpr double kHeight = 240;
constexpr double kLeft = 48;
constexpr double kRight = 12;
constexpr double kTop = 12;
constexpr double kBottom = 36;
constexpr int kHighestState = 7;
// The tracker starts at 3 when a log is written.
constexpr int kStateAtLoad = 3;
constexpr size_t kAxisTicks = 6;

std::string Number(double value) {
  char text[32];
  snprintf(text, sizeof(text), "%.1f", value);
  return text;
}

class Plot {
 public:
  explicit Plot(size_t triplets) : triplets_(std::max<size_t>(triplets, 2)) {}

  double X(size_t ordinal) const {
    return kLeft + (kWidth - kLeft - kRight) * static_cast<double>(ordinal - 1) /
                       static_cast<double>(triplets_ - 1);
  }
  double Y(int state) const {
    int shown = std::clamp(state, 0, kHighestState);
    return kTop + (kHeight - kTop - kBottom) * (kHighestState - shown) / kHighestState;
  }

 private:
  size_t triplets_;
};

std::string PointTitle(const log_reader::Triplet& triplet, const std::string& what) {
  return "<title>#" + EscapeHtml(log_reader::SequenceText(triplet)) + " " +
         EscapeHtml(log_reader::TripletText(triplet)) +
         (triplet.capability.empty() ? "" : " (" + EscapeHtml(triplet.capability) + ")") + ": " +
         what + "</title>";
}

std::string Link(const log_reader::Triplet& triplet, const std::string& ids,
                 const std::string& shape) {
  return "<a href=\"#" + ids + "t" + std::to_string(triplet.ordinal) + "\">" + shape + "</a>\n";
}

void AppendGrid(const Plot& plot, std::string* svg) {
  for (int state = 1; state <= kHighestState; ++state) {
    std::string y = Number(plot.Y(state));
    *svg += "<line class=\"grid\" x1=\"" + Number(kLeft) + "\" y1=\"" + y + "\" x2=\"" +
            Number(kWidth - kRight) + "\" y2=\"" + y + "\"/>\n";
    *svg += "<text class=\"axis\" x=\"" + Number(kLeft - 8) + "\" y=\"" +
            Number(plot.Y(state) + 4) + "\" text-anchor=\"end\">" + std::to_string(state) +
            "</text>\n";
  }
}

void AppendAxis(const Report& report, const Plot& plot, std::string* svg) {
  const std::vector<log_reader::Triplet>& triplets = report.triplets;
  if (triplets.empty()) return;
  size_t ticks = std::min(kAxisTicks, triplets.size());
  for (size_t i = 0; i < ticks; ++i) {
    size_t index = ticks == 1 ? 0 : i * (triplets.size() - 1) / (ticks - 1);
    // The outer labels stay inside the picture.
    const char* anchor = i == 0 ? "start" : i + 1 == ticks ? "end" : "middle";
    *svg += "<text class=\"axis\" x=\"" + Number(plot.X(index + 1)) + "\" y=\"" +
            Number(kHeight - kBottom + 16) + "\" text-anchor=\"" + anchor + "\">#" +
            EscapeHtml(log_reader::SequenceText(triplets[index])) + "</text>\n";
  }
  *svg += "<text class=\"axis\" x=\"" + Number(kWidth / 2) + "\" y=\"" + Number(kHeight - 4) +
          "\" text-anchor=\"middle\">triplets in log order</text>\n";
}

// The state holds from one state line to the next, so the line runs in steps.
void AppendStateLine(const Report& report, const Plot& plot, std::string* svg) {
  std::string points;
  std::optional<int> previous;
  for (const log_reader::Triplet& triplet : report.triplets) {
    if (!triplet.state) continue;
    std::string x = Number(plot.X(triplet.ordinal));
    if (previous) points += x + "," + Number(plot.Y(*previous)) + " ";
    points += x + "," + Number(plot.Y(*triplet.state)) + " ";
    previous = triplet.state;
  }
  if (!points.empty()) *svg += "<polyline class=\"state-line\" points=\"" + points + "\"/>\n";
}

void AppendMarks(const Report& report, const std::string& ids, const Plot& plot, std::string* svg) {
  double radius = report.triplets.size() > 400 ? 1.5 : 3;
  int state = kStateAtLoad;
  for (const log_reader::Triplet& triplet : report.triplets) {
    double x = plot.X(triplet.ordinal);
    if (triplet.state) {
      state = *triplet.state;
      *svg += Link(triplet, ids,
                   "<circle class=\"state\" cx=\"" + Number(x) + "\" cy=\"" +
                       Number(plot.Y(state)) + "\" r=\"" + Number(radius) + "\">" +
                       PointTitle(triplet, "state " + std::to_string(state)) + "</circle>");
    } else if (triplet.Failed()) {
      double y = plot.Y(state);
      std::string cross = "M" + Number(x - 4) + "," + Number(y - 4) + "L" + Number(x + 4) + "," +
                          Number(y + 4) + "M" + Number(x - 4) + "," + Number(y + 4) + "L" +
                          Number(x + 4) + "," + Number(y - 4);
      *svg += Link(triplet, ids,
                   "<path class=\"failure\" d=\"" + cross + "\">" +
                       PointTitle(triplet, std::string(triplet.returnCode)) + "</path>");
    }
  }
}

}  // namespace

std::string StateTimelineSvg(const Report& report, const std::string& ids) {
  Plot plot(report.triplets.size());
  std::string svg = "<svg class=\"timeline\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " +
                    Number(kWidth) + " " + Number(kHeight) +
                    "\" role=\"img\" aria-label=\"TWAIN state over the triplets\">\n";
  AppendGrid(plot, &svg);
  AppendAxis(report, plot, &svg);
  AppendStateLine(report, plot, &svg);
  AppendMarks(report, ids, plot, &svg);
  svg += "</svg>\n";
  return svg;
}

}  // namespace report
