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
  explicit Plot(size_t calls) : calls_(std::max<size_t>(calls, 2)) {}

  double X(size_t ordinal) const {
    return kLeft + (kWidth - kLeft - kRight) * static_cast<double>(ordinal - 1) /
                       static_cast<double>(calls_ - 1);
  }
  double Y(int state) const {
    int shown = std::clamp(state, 0, kHighestState);
    return kTop + (kHeight - kTop - kBottom) * (kHighestState - shown) / kHighestState;
  }

 private:
  size_t calls_;
};

std::string Span(const StateBucket& bucket) {
  return bucket.first == bucket.last
             ? "call " + std::to_string(bucket.first)
             : "calls " + std::to_string(bucket.first) + "-" + std::to_string(bucket.last);
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

void AppendAxis(size_t calls, const Plot& plot, std::string* svg) {
  if (calls == 0) return;
  size_t ticks = std::min(kAxisTicks, calls);
  for (size_t i = 0; i < ticks; ++i) {
    size_t ordinal = 1 + (ticks == 1 ? 0 : i * (calls - 1) / (ticks - 1));
    // The outer labels stay inside the picture.
    const char* anchor = i == 0 ? "start" : i + 1 == ticks ? "end" : "middle";
    *svg += "<text class=\"axis\" x=\"" + Number(plot.X(ordinal)) + "\" y=\"" +
            Number(kHeight - kBottom + 16) + "\" text-anchor=\"" + anchor + "\">" +
            std::to_string(ordinal) + "</text>\n";
  }
  *svg += "<text class=\"axis\" x=\"" + Number(kWidth / 2) + "\" y=\"" + Number(kHeight - 4) +
          "\" text-anchor=\"middle\">calls in log order</text>\n";
}

// The state holds from one state line to the next, so the line runs in steps.
void AppendStateLine(const std::vector<StateBucket>& buckets, const Plot& plot, std::string* svg) {
  std::string points;
  std::optional<int> previous;
  for (const StateBucket& bucket : buckets) {
    if (!bucket.end) continue;
    std::string x = Number(plot.X(bucket.last));
    if (previous) points += x + "," + Number(plot.Y(*previous)) + " ";
    points += x + "," + Number(plot.Y(*bucket.end)) + " ";
    previous = bucket.end;
  }
  if (!points.empty()) *svg += "<polyline class=\"state-line\" points=\"" + points + "\"/>\n";
}

void AppendMarks(const std::vector<StateBucket>& buckets, const std::string& ids, const Plot& plot,
                 std::string* svg) {
  double radius = buckets.size() > 400 ? 1.5 : 3;
  int state = kStateAtLoad;
  for (const StateBucket& bucket : buckets) {
    double x = plot.X(bucket.last);
    if (bucket.end) {
      std::string title = Span(bucket) + ": state " + std::to_string(*bucket.lowest);
      if (*bucket.highest != *bucket.lowest) title += " to " + std::to_string(*bucket.highest);
      if (*bucket.highest != *bucket.lowest) {
        *svg += "<line class=\"state-line\" x1=\"" + Number(x) + "\" y1=\"" +
                Number(plot.Y(*bucket.lowest)) + "\" x2=\"" + Number(x) + "\" y2=\"" +
                Number(plot.Y(*bucket.highest)) + "\"/>\n";
      }
      *svg += "<circle class=\"state\" cx=\"" + Number(x) + "\" cy=\"" +
              Number(plot.Y(*bucket.end)) + "\" r=\"" + Number(radius) + "\"><title>" + title +
              "</title></circle>\n";
      state = *bucket.end;
    }
    if (bucket.failures > 0) {
      double y = plot.Y(state);
      std::string cross = "M" + Number(x - 4) + "," + Number(y - 4) + "L" + Number(x + 4) + "," +
                          Number(y + 4) + "M" + Number(x - 4) + "," + Number(y + 4) + "L" +
                          Number(x + 4) + "," + Number(y - 4);
      *svg += "<a href=\"#" + ids + "t" + std::to_string(bucket.firstFailure.ordinal) +
              "\"><path class=\"failure\" d=\"" + cross + "\"><title>" + Span(bucket) + ": " +
              std::to_string(bucket.failures) + (bucket.failures == 1 ? " failure" : " failures") +
              ", the first #" + EscapeHtml(SequenceText(bucket.firstFailure)) +
              "</title></path></a>\n";
    }
  }
}

}  // namespace

std::string StateTimelineSvg(const Report& report, const std::string& ids) {
  const std::vector<StateBucket>& buckets = report.chart.Buckets();
  Plot plot(report.overview.triplets);
  std::string svg = "<svg class=\"timeline\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " +
                    Number(kWidth) + " " + Number(kHeight) +
                    "\" role=\"img\" aria-label=\"TWAIN state over the calls\">\n";
  AppendGrid(plot, &svg);
  AppendAxis(report.overview.triplets, plot, &svg);
  AppendStateLine(buckets, plot, &svg);
  AppendMarks(buckets, ids, plot, &svg);
  svg += "</svg>\n";
  return svg;
}

}  // namespace report
