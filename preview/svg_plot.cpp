#include "preview/svg_plot.h"

#include <cstdio>

#include "preview/text_format.h"

namespace larkfold {
namespace {

// The gradient of one channel: opacity steps where the level changes, along
// the plot's width, so that one stroke can carry every frame's level.
void Gradient(std::string& out, const PianoRoll& roll, const ChannelLine& line) {
  AppendFormatted(out,
                  "<linearGradient id=\"levels%d\" gradientUnits=\"userSpaceOnUse\" x1=\"%.2f\"",
                  line.channel, roll.left);
  AppendFormatted(out, " y1=\"0\" x2=\"%.2f\" y2=\"0\">\n", roll.right);
  const double width = roll.right - roll.left;
  double previous = -1.0;
  for (const ChannelStep& step : line.steps) {
    if (step.opacity != previous) {
      const double offset = (step.x0 - roll.left) / width;
      if (previous >= 0.0) {
        AppendFormatted(out, "<stop offset=\"%.6f\" stop-color=\"%s\" stop-opacity=\"%.3f\"/>\n",
                        offset, line.colour.c_str(), previous);
      }
      AppendFormatted(out, "<stop offset=\"%.6f\" stop-color=\"%s\" stop-opacity=\"%.3f\"/>\n",
                      offset, line.colour.c_str(), step.opacity);
      previous = step.opacity;
    }
  }
  if (previous < 0.0) {
    previous = 1.0;
    AppendFormatted(out, "<stop offset=\"0\" stop-color=\"%s\" stop-opacity=\"1\"/>\n",
                    line.colour.c_str());
  }
  AppendFormatted(out, "<stop offset=\"1\" stop-color=\"%s\" stop-opacity=\"%.3f\"/>\n",
                  line.colour.c_str(), previous);
  out += "</linearGradient>\n";
}

std::string ChannelPath(const ChannelLine& line) {
  std::string d;
  for (const ChannelStep& step : line.steps) {
    if (step.joinsPrevious) {
      AppendFormatted(d, "V%.2f", step.y);
    } else {
      AppendFormatted(d, "%sM%.2f %.2f", d.empty() ? "" : " ", step.x0, step.y);
    }
    AppendFormatted(d, "H%.2f", step.x1);
  }
  return d;
}

}  // namespace

std::string XmlEscaped(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&apos;";
        break;
      default:
        // Control characters other than tab and line breaks cannot appear in XML.
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r') {
          escaped += c;
        }
    }
  }
  return escaped;
}

std::string PianoRollSvg(const PianoRoll& roll) {
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  AppendFormatted(out,
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
                  "viewBox=\"0 0 %.0f %.0f\" font-family=\"sans-serif\" font-size=\"12\">\n",
                  roll.width, roll.height, roll.width, roll.height);
  out += "<title>" + XmlEscaped(roll.title) + "</title>\n";
  out += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";

  out += "<defs>\n";
  for (const ChannelLine& line : roll.channels) {
    Gradient(out, roll, line);
  }
  out += "</defs>\n";

  AppendFormatted(out,
                  "<text x=\"%.2f\" y=\"24\" font-size=\"16\" font-weight=\"bold\">%s</text>\n",
                  roll.left, XmlEscaped(roll.title).c_str());
  AppendFormatted(out, "<text x=\"%.2f\" y=\"42\" fill=\"#555555\">%s</text>\n", roll.left,
                  XmlEscaped(roll.subtitle).c_str());

  out += "<g class=\"grid\" stroke=\"#e4e4e4\" stroke-width=\"1\">\n";
  for (const PitchLine& line : roll.pitchLines) {
    AppendFormatted(out, "<line x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\"/>\n", roll.left,
                    line.y, roll.right, line.y);
  }
  for (const TimeTick& tick : roll.timeTicks) {
    AppendFormatted(out, "<line x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\"/>\n", tick.x,
                    roll.top, tick.x, roll.bottom);
  }
  out += "</g>\n";
  AppendFormatted(out,
                  "<rect x=\"%.2f\" y=\"%.2f\" width=\"%.2f\" height=\"%.2f\" fill=\"none\" "
                  "stroke=\"#888888\"/>\n",
                  roll.left, roll.top, roll.right - roll.left, roll.bottom - roll.top);

  out += "<g class=\"labels\" fill=\"#333333\">\n";
  for (const PitchLine& line : roll.pitchLines) {
    AppendFormatted(out, "<text x=\"%.2f\" y=\"%.2f\" text-anchor=\"end\">%s</text>\n",
                    roll.left - 6, line.y + 4, XmlEscaped(line.label).c_str());
  }
  for (const TimeTick& tick : roll.timeTicks) {
    AppendFormatted(out, "<text x=\"%.2f\" y=\"%.2f\" text-anchor=\"middle\">%s</text>\n", tick.x,
                    roll.bottom + 18, XmlEscaped(tick.label).c_str());
  }
  AppendFormatted(out, "<text x=\"%.2f\" y=\"%.2f\" text-anchor=\"middle\">time</text>\n",
                  (roll.left + roll.right) / 2, roll.bottom + 38);
  out += "</g>\n";

  if (!roll.input.empty()) {
    std::string d;
    for (const InputDash& dash : roll.input) {
      AppendFormatted(d, "%sM%.2f %.2fH%.2f", d.empty() ? "" : " ", dash.x0, dash.y, dash.x1);
    }
    out += "<path class=\"input\" fill=\"none\" stroke=\"#c8c8c8\" stroke-width=\"5\" d=\"" + d +
           "\"/>\n";
  }

  for (const ChannelLine& line : roll.channels) {
    AppendFormatted(
        out,
        "<path class=\"channel\" data-channel=\"%d\" fill=\"none\" stroke=\"url(#levels%d)\" "
        "stroke-width=\"2\" stroke-linejoin=\"round\" d=\"",
        line.channel, line.channel);
    out += ChannelPath(line) + "\"/>\n";
  }

  // The legend: the input's grey, then each channel's colour.
  const double legendX = roll.right + 16;
  double legendY = roll.top + 8;
  out += "<g class=\"legend\">\n";
  AppendFormatted(out, "<rect x=\"%.2f\" y=\"%.2f\" width=\"18\" height=\"5\" fill=\"#c8c8c8\"/>\n",
                  legendX, legendY - 4);
  AppendFormatted(out, "<text x=\"%.2f\" y=\"%.2f\">input</text>\n", legendX + 24, legendY + 2);
  for (const ChannelLine& line : roll.channels) {
    legendY += 20;
    AppendFormatted(out, "<rect x=\"%.2f\" y=\"%.2f\" width=\"18\" height=\"3\" fill=\"%s\"/>\n",
                    legendX, legendY - 3, line.colour.c_str());
    AppendFormatted(out, "<text x=\"%.2f\" y=\"%.2f\">channel %d</text>\n", legendX + 24,
                    legendY + 2, line.channel);
  }
  legendY += 32;
  AppendFormatted(out, "<text x=\"%.2f\" y=\"%.2f\" fill=\"#555555\">opacity: level</text>\n",
                  legendX, legendY);
  out += "</g>\n</svg>\n";
  return out;
}

}  // namespace larkfold
