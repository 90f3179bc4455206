// The PNG picture: the same geometry the SVG writer draws, rasterised by
// cairo into memory (the file itself is written by the caller, through the
// atomic output file).
#include <cairo.h>

#include <cstdlib>

#include "preview/png_plot.h"

namespace larkfold {
namespace {

struct Colour {
  double r, g, b;
};

Colour Parse(const std::string& hex) {
  const long value = std::strtol(hex.c_str() + 1, nullptr, 16);
  return Colour{((value >> 16) & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0,
                (value & 0xFF) / 255.0};
}

void Grey(cairo_t* cr, double level) {
  cairo_set_source_rgb(cr, level, level, level);
}

void Text(cairo_t* cr, double x, double y, const std::string& text, double anchor) {
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  cairo_move_to(cr, x - extents.x_advance * anchor, y);
  cairo_show_text(cr, text.c_str());
}

cairo_status_t Collect(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

void Draw(cairo_t* cr, const PianoRoll& roll) {
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 16);
  Grey(cr, 0.0);
  Text(cr, roll.left, 24, roll.title, 0.0);
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 12);
  Grey(cr, 0.33);
  Text(cr, roll.left, 42, roll.subtitle, 0.0);

  cairo_set_line_width(cr, 1);
  Grey(cr, 0.894);
  for (const PitchLine& line : roll.pitchLines) {
    cairo_move_to(cr, roll.left, line.y);
    cairo_line_to(cr, roll.right, line.y);
  }
  for (const TimeTick& tick : roll.timeTicks) {
    cairo_move_to(cr, tick.x, roll.top);
    cairo_line_to(cr, tick.x, roll.bottom);
  }
  cairo_stroke(cr);
  Grey(cr, 0.533);
  cairo_rectangle(cr, roll.left, roll.top, roll.right - roll.left, roll.bottom - roll.top);
  cairo_stroke(cr);

  Grey(cr, 0.2);
  for (const PitchLine& line : roll.pitchLines) {
    Text(cr, roll.left - 6, line.y + 4, line.label, 1.0);
  }
  for (const TimeTick& tick : roll.timeTicks) {
    Text(cr, tick.x, roll.bottom + 18, tick.label, 0.5);
  }
  Text(cr, (roll.left + roll.right) / 2, roll.bottom + 38, "time", 0.5);

  cairo_set_line_width(cr, 5);
  Grey(cr, 0.784);
  for (const InputDash& dash : roll.input) {
    cairo_move_to(cr, dash.x0, dash.y);
    cairo_line_to(cr, dash.x1, dash.y);
  }
  cairo_stroke(cr);

  // Runs of frames of one level form one stroke, so that nothing is drawn twice
  // with a translucent colour; the vertical into a frame takes that frame's level.
  cairo_set_line_width(cr, 2);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (const ChannelLine& line : roll.channels) {
    const Colour colour = Parse(line.colour);
    for (std::size_t i = 0; i < line.steps.size(); ++i) {
      const ChannelStep& step = line.steps[i];
      const bool continues =
          i > 0 && step.joinsPrevious && step.opacity == line.steps[i - 1].opacity;
      if (i > 0 && !continues) {
        cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, line.steps[i - 1].opacity);
        cairo_stroke(cr);
      }
      if (continues) {
        cairo_line_to(cr, step.x0, step.y);
      } else if (step.joinsPrevious) {
        cairo_move_to(cr, step.x0, line.steps[i - 1].y);
        cairo_line_to(cr, step.x0, step.y);
      } else {
        cairo_move_to(cr, step.x0, step.y);
      }
      cairo_line_to(cr, step.x1, step.y);
    }
    if (!line.steps.empty()) {
      cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, line.steps.back().opacity);
      cairo_stroke(cr);
    }
  }

  const double legendX = roll.right + 16;
  double legendY = roll.top + 8;
  Grey(cr, 0.784);
  cairo_rectangle(cr, legendX, legendY - 4, 18, 5);
  cairo_fill(cr);
  Grey(cr, 0.0);
  Text(cr, legendX + 24, legendY + 2, "input", 0.0);
  for (const ChannelLine& line : roll.channels) {
    legendY += 20;
    const Colour colour = Parse(line.colour);
    cairo_set_source_rgb(cr, colour.r, colour.g, colour.b);
    cairo_rectangle(cr, legendX, legendY - 3, 18, 3);
    cairo_fill(cr);
    Grey(cr, 0.0);
    Text(cr, legendX + 24, legendY + 2, "channel " + std::to_string(line.channel), 0.0);
  }
  Grey(cr, 0.33);
  Text(cr, legendX, legendY + 32, "opacity: level", 0.0);
}

}  // namespace

bool CanWritePng() {
  return true;
}

bool PianoRollPng(const PianoRoll& roll, std::string& png, std::string& why) {
  cairo_surface_t* surface = cairo_image_surface_create(
      CAIRO_FORMAT_RGB24, static_cast<int>(roll.width), static_cast<int>(roll.height));
  cairo_t* cr = cairo_create(surface);
  Draw(cr, roll);
  cairo_status_t status = cairo_status(cr);
  cairo_destroy(cr);
  png.clear();
  if (status == CAIRO_STATUS_SUCCESS) {
    status = cairo_surface_write_to_png_stream(surface, Collect, &png);
  }
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    why = std::string("cairo could not draw the picture: ") + cairo_status_to_string(status);
    return false;
  }
  return true;
}

}  // namespace larkfold
