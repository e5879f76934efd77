#include "host/cli/trace_svg.h"

#include <algorithm>
#include <cmath>
#include <charconv>

#include "host/cli/csv_numbers.h"

namespace PendrelHost {

namespace {

constexpr double kPixelsPerSecond = 100;
constexpr double kLeft = 70, kRight = 20, kTop = 40, kBottom = 40;
constexpr double kTraceHeight = 240;
constexpr double kDotRadius = 4;

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// Pixel coordinates with two decimals, in the classic locale whatever the user's.
std::string Number(double value) {
  char text[64];
  return std::string(text, std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2).ptr);
}

// A value as "%.4g" writes it in the classic locale.
std::string ShortNumber(double value) {
  char text[64];
  return std::string(text, std::to_chars(text, text + sizeof text, value, std::chars_format::general, 4).ptr);
}

// Maps times and sample values to the picture's pixels.
class TraceScale {
 public:
  explicit TraceScale(const TracePicture& picture) : m_start(picture.start) {
    const auto [low, high] = std::minmax_element(picture.samples.begin(), picture.samples.end());
    m_low = low == picture.samples.end() || !std::isfinite(*low) ? -1.0 : *low;
    m_high = high == picture.samples.end() || !std::isfinite(*high) ? 1.0 : *high;
    if (m_high <= m_low) {
      m_low -= 1;
      m_high += 1;
    }
  }
  double X(double time) const { return kLeft + (time - m_start) * kPixelsPerSecond; }
  double Y(double value) const {
    const double clamped = std::clamp(value, m_low, m_high);
    return kTop + (m_high - clamped) / (m_high - m_low) * kTraceHeight;
  }
  double Low() const { return m_low; }
  double High() const { return m_high; }

 private:
  double m_start;
  double m_low;
  double m_high;
};

std::string Polyline(const TracePicture& picture, const TraceScale& scale) {
  std::string points;
  points.reserve(picture.samples.size() * 16);
  for (std::size_t i = 0; i < picture.samples.size(); ++i) {
    if (!std::isfinite(picture.samples[i])) continue;
    if (!points.empty()) points += ' ';
    points += Number(scale.X(picture.start + double(i) * picture.period)) + ',' +
              Number(scale.Y(picture.samples[i]));
  }
  return "<polyline class=\"trace\" fill=\"none\" stroke=\"#000000\" stroke-width=\"1\" points=\"" +
         points + "\"/>\n";
}

// Whole seconds along the bottom, and the value range at the left.
std::string Axes(const TracePicture& picture, const TraceScale& scale, double width) {
  const double duration = double(picture.samples.size()) * picture.period;
  const double bottom = kTop + kTraceHeight;
  std::string text = "<rect x=\"" + Number(kLeft) + "\" y=\"" + Number(kTop) + "\" width=\"" +
                     Number(width - kLeft - kRight) + "\" height=\"" + Number(kTraceHeight) +
                     "\" fill=\"none\" stroke=\"#c0c0c0\"/>\n";
  for (double second = std::ceil(picture.start); second <= picture.start + duration; ++second) {
    const std::string x = Number(scale.X(second));
    std::string label;
    AppendShortest(label, second);
    label += " s";
    text += "<line x1=\"" + x + "\" y1=\"" + Number(bottom) + "\" x2=\"" + x + "\" y2=\"" +
            Number(bottom + 5) + "\" stroke=\"#808080\"/><text x=\"" + x + "\" y=\"" +
            Number(bottom + 20) + "\" font-size=\"12\" text-anchor=\"middle\">" + label + "</text>\n";
  }
  const std::string unit = picture.unit.empty() ? "" : " " + Escaped(picture.unit);
  const auto valueLabel = [&](double value, double y) {
    return "<text x=\"" + Number(kLeft - 5) + "\" y=\"" + Number(y) +
           "\" font-size=\"12\" text-anchor=\"end\">" + ShortNumber(value) + unit + "</text>\n";
  };
  return text + valueLabel(scale.High(), kTop + 12) + valueLabel(scale.Low(), bottom);
}

std::string Mark(const TracePicture& picture, const TraceScale& scale, const EventMark& mark) {
  const std::string colour = ColourHex(mark.colour);
  const std::string x = Number(scale.X(mark.time));
  const double at = std::round((mark.time - picture.start) / picture.period);
  const std::size_t index =
      std::size_t(std::clamp(at, 0.0, double(std::max<std::size_t>(picture.samples.size(), 1) - 1)));
  const double value = picture.samples.empty() ? scale.Low() : picture.samples[index];
  return "<g class=\"mark\"><title>" + Escaped(mark.tooltip) + "</title><line x1=\"" + x +
         "\" y1=\"" + Number(kTop) + "\" x2=\"" + x + "\" y2=\"" + Number(kTop + kTraceHeight) +
         "\" stroke=\"" + colour + "\" stroke-width=\"2\" stroke-opacity=\"0.5\"/><circle cx=\"" + x +
         "\" cy=\"" + Number(scale.Y(value)) + "\" r=\"" + Number(kDotRadius) + "\" fill=\"" + colour +
         "\"/></g>\n";
}

}  // namespace

std::string TraceSvg(const TracePicture& picture) {
  const TraceScale scale(picture);
  const double duration = double(picture.samples.size()) * picture.period;
  const double width = kLeft + duration * kPixelsPerSecond + kRight;
  const double height = kTop + kTraceHeight + kBottom;
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(width) +
                    "\" height=\"" + Number(height) + "\" viewBox=\"0 0 " + Number(width) + " " +
                    Number(height) + "\" font-family=\"sans-serif\">\n";
  svg += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  svg += "<text x=\"" + Number(kLeft) + "\" y=\"" + Number(kTop - 15) + "\" font-size=\"14\">" +
         Escaped(picture.caption) + "</text>\n";
  svg += Axes(picture, scale, width);
  svg += Polyline(picture, scale);
  for (const EventMark& mark : picture.marks) svg += Mark(picture, scale, mark);
  return svg + "</svg>\n";
}

}  // namespace PendrelHost
