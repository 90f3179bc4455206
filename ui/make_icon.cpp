// Draws the program's icon and writes it as an .ico file of nine images: 48,
// 32 and 16 pixels square, each in 16 colours, 256 colours and 24-bit colour.
// The picture: two partials gliding through each other and a steady one, on a
// dark page with its top-right corner folded over.
//
//   make_icon OUT.ico
//
// Only exactly rounded arithmetic (no library function but sqrt) goes into
// the picture, so every build of the generator draws the same pixels.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

struct Colour {
  int r, g, b;
};

// Coordinates are fractions of the icon's side, y growing downwards.
constexpr double kMargin = 0.04;
constexpr double kCorner = 0.16;  // radius of the page's rounded corners
constexpr double kFold = 0.30;    // length of the folded corner's edges

// The colours of one picture. The 16-colour images take colours of the
// standard palette itself, so that nothing is lost to the nearest match.
struct Scheme {
  Colour pageTop, pageBottom, flap;
  Colour rising, falling, steady;
};

constexpr Scheme kFullColour = {{40, 56, 150},  {16, 24, 90},   {176, 188, 236},
                                {255, 150, 50}, {90, 214, 255}, {255, 230, 110}};
constexpr Scheme kSixteenColours = {{0, 0, 128},   {0, 0, 128},   {192, 192, 192},
                                    {255, 255, 0}, {0, 255, 255}, {255, 255, 255}};

struct Segment {
  double x0, y0, x1, y1;
  double width;  // as a fraction of the icon
};

constexpr Segment kRising = {0.18, 0.74, 0.66, 0.34, 0.10};   // a partial gliding up
constexpr Segment kFalling = {0.18, 0.36, 0.80, 0.70, 0.10};  // one gliding down through it
constexpr Segment kSteady = {0.18, 0.86, 0.82, 0.86, 0.07};   // a steady one below

const Colour kVga[16] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

// Inside the page: a square with rounded corners, less the folded corner.
bool OnPage(double x, double y) {
  const double lo = kMargin + kCorner;
  const double hi = 1.0 - kMargin - kCorner;
  const double dx = x < lo ? lo - x : (x > hi ? x - hi : 0.0);
  const double dy = y < lo ? lo - y : (y > hi ? y - hi : 0.0);
  if (x < kMargin || x > 1.0 - kMargin || y < kMargin || y > 1.0 - kMargin) {
    return false;
  }
  return dx * dx + dy * dy <= kCorner * kCorner;
}

// The fold, in distances from the page's right edge (u) and top edge (v):
// the corner u + v < kFold is turned over onto the page, where its back is the
// triangle that mirrors it in the fold line.
bool BeyondFold(double u, double v) {
  return u + v < kFold;
}

bool OnFlap(double u, double v) {
  return u <= kFold && v <= kFold && u + v >= kFold;
}

double DistanceToSegment(const Segment& s, double x, double y) {
  const double dx = s.x1 - s.x0;
  const double dy = s.y1 - s.y0;
  double t = ((x - s.x0) * dx + (y - s.y0) * dy) / (dx * dx + dy * dy);
  t = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
  const double ex = x - (s.x0 + t * dx);
  const double ey = y - (s.y0 + t * dy);
  return std::sqrt(ex * ex + ey * ey);
}

Colour Mix(Colour a, Colour b, double t) {
  return {static_cast<int>(a.r + (b.r - a.r) * t + 0.5),
          static_cast<int>(a.g + (b.g - a.g) * t + 0.5),
          static_cast<int>(a.b + (b.b - a.b) * t + 0.5)};
}

bool OnSegment(const Segment& s, double x, double y, int size) {
  // Small icons get lines of at least about one and a half pixels.
  const double least = 1.5 / size;
  return DistanceToSegment(s, x, y) <= (s.width > least ? s.width : least) / 2.0;
}

// The colour at one point of the picture; false where it is transparent.
bool ColourAt(const Scheme& scheme, double x, double y, int size, Colour& colour) {
  const double u = 1.0 - kMargin - x;
  const double v = y - kMargin;
  if (!OnPage(x, y) || BeyondFold(u, v)) {
    return false;
  }
  colour = Mix(scheme.pageTop, scheme.pageBottom, y);
  if (OnSegment(kSteady, x, y, size)) {
    colour = scheme.steady;
  }
  if (OnSegment(kRising, x, y, size)) {
    colour = scheme.rising;
  }
  if (OnSegment(kFalling, x, y, size)) {
    colour = scheme.falling;
  }
  if (OnFlap(u, v)) {
    colour = scheme.flap;
  }
  return true;
}

struct Pixel {
  Colour colour;
  bool opaque;
};

// Each pixel averages 4 x 4 samples; it is opaque when most of them are.
std::vector<Pixel> Render(const Scheme& scheme, int size) {
  constexpr int kSamples = 4;
  std::vector<Pixel> pixels(static_cast<std::size_t>(size) * size);
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      int r = 0, g = 0, b = 0, inside = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double x = (px + (sx + 0.5) / kSamples) / size;
          const double y = (py + (sy + 0.5) / kSamples) / size;
          Colour c;
          if (ColourAt(scheme, x, y, size, c)) {
            r += c.r, g += c.g, b += c.b, ++inside;
          }
        }
      }
      Pixel& pixel = pixels[static_cast<std::size_t>(py) * size + px];
      pixel.opaque = inside * 2 > kSamples * kSamples;
      if (inside > 0) {
        pixel.colour = {(r + inside / 2) / inside, (g + inside / 2) / inside,
                        (b + inside / 2) / inside};
      } else {
        pixel.colour = {0, 0, 0};
      }
    }
  }
  return pixels;
}

std::vector<Colour> Palette(int bits) {
  std::vector<Colour> palette(kVga, kVga + 16);
  if (bits == 8) {
    // The 16 standard colours, a 6 x 6 x 6 colour cube and 24 shades of the
    // page, so that its shading survives.
    for (int r = 0; r < 6; ++r) {
      for (int g = 0; g < 6; ++g) {
        for (int b = 0; b < 6; ++b) {
          palette.push_back({r * 51, g * 51, b * 51});
        }
      }
    }
    for (int k = 0; k < 24; ++k) {
      palette.push_back(Mix(kFullColour.pageTop, kFullColour.pageBottom, k / 23.0));
    }
  }
  return palette;
}

int Nearest(const std::vector<Colour>& palette, Colour c) {
  int best = 0;
  long bestDistance = -1;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const long dr = palette[i].r - c.r, dg = palette[i].g - c.g, db = palette[i].b - c.b;
    const long distance = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || distance < bestDistance) {
      best = static_cast<int>(i);
      bestDistance = distance;
    }
  }
  return best;
}

void Put16(std::vector<std::uint8_t>& out, int v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, static_cast<int>(v & 0xFFFF));
  Put16(out, static_cast<int>(v >> 16));
}

int RowBytes(int size, int bits) {
  return ((size * bits + 31) / 32) * 4;
}

// One icon image: a BITMAPINFOHEADER of double height, the palette, the
// colour rows and the transparency mask, rows bottom-up.
std::vector<std::uint8_t> IconImage(int size, int bits) {
  const std::vector<Pixel> pixels = Render(bits == 4 ? kSixteenColours : kFullColour, size);
  const std::vector<Colour> palette = bits == 24 ? std::vector<Colour>() : Palette(bits);
  const int colourRow = RowBytes(size, bits);
  const int maskRow = RowBytes(size, 1);

  std::vector<std::uint8_t> out;
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(size));
  Put32(out, static_cast<std::uint32_t>(size * 2));
  Put16(out, 1);
  Put16(out, bits);
  Put32(out, 0);
  Put32(out, static_cast<std::uint32_t>((colourRow + maskRow) * size));
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  for (const Colour& c : palette) {
    out.push_back(static_cast<std::uint8_t>(c.b));
    out.push_back(static_cast<std::uint8_t>(c.g));
    out.push_back(static_cast<std::uint8_t>(c.r));
    out.push_back(0);
  }
  for (int y = size - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(colourRow), 0);
    for (int x = 0; x < size; ++x) {
      const Pixel& p = pixels[static_cast<std::size_t>(y) * size + x];
      const Colour c = p.opaque ? p.colour : Colour{0, 0, 0};
      if (bits == 24) {
        row[static_cast<std::size_t>(x) * 3] = static_cast<std::uint8_t>(c.b);
        row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<std::uint8_t>(c.g);
        row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<std::uint8_t>(c.r);
      } else if (bits == 8) {
        row[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(Nearest(palette, c));
      } else {
        const int index = Nearest(palette, c);
        row[static_cast<std::size_t>(x / 2)] |=
            static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  for (int y = size - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(maskRow), 0);
    for (int x = 0; x < size; ++x) {
      if (!pixels[static_cast<std::size_t>(y) * size + x].opaque) {
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon OUT.ico\n");
    return 2;
  }
  constexpr std::array<int, 3> kSizes = {48, 32, 16};
  constexpr std::array<int, 3> kBits = {4, 8, 24};

  std::vector<std::vector<std::uint8_t>> images;
  for (int size : kSizes) {
    for (int bits : kBits) {
      images.push_back(IconImage(size, bits));
    }
  }

  std::vector<std::uint8_t> file;
  Put16(file, 0);
  Put16(file, 1);  // an icon
  Put16(file, static_cast<int>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  std::size_t k = 0;
  for (int size : kSizes) {
    for (int bits : kBits) {
      file.push_back(static_cast<std::uint8_t>(size));
      file.push_back(static_cast<std::uint8_t>(size));
      file.push_back(static_cast<std::uint8_t>(bits == 4 ? 16 : 0));  // colours; 0 is 256 or more
      file.push_back(0);
      Put16(file, 1);
      Put16(file, bits);
      Put32(file, static_cast<std::uint32_t>(images[k].size()));
      Put32(file, offset);
      offset += static_cast<std::uint32_t>(images[k].size());
      ++k;
    }
  }
  for (const auto& image : images) {
    file.insert(file.end(), image.begin(), image.end());
  }

  std::FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr || std::fwrite(file.data(), 1, file.size(), out) != file.size() ||
      std::fclose(out) != 0) {
    std::fprintf(stderr, "make_icon: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
