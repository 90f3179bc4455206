#include <cstdio>

#include "preview/file_report.h"
#include "voi/record_decoding.h"

namespace larkfold {
namespace {

// A field as CSV quotes it: inside quotes, with quotes doubled, when it holds
// a comma, a quote or a line break.
std::string Field(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) {
    return text;
  }
  std::string quoted = "\"";
  for (const char c : text) {
    quoted += c;
    if (c == '"') {
      quoted += '"';
    }
  }
  return quoted + "\"";
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", value);
  return text;
}

std::string Range(const std::optional<HertzRange>& range) {
  return range ? Number(range->low) + "," + Number(range->high) : std::string(",");
}

// Keeps one header row per run of rows of the same layout.
class Table {
 public:
  void Header(const std::string& header) {
    if (header != header_) {
      if (!header_.empty()) {
        out_ += "\n";
      }
      out_ += header + "\n";
      header_ = header;
    }
  }
  void Row(const std::string& row) { out_ += row + "\n"; }
  const std::string& Text() const { return out_; }

 private:
  std::string header_;
  std::string out_;
};

void DatSummaryRow(Table& table, const Inspection& file) {
  table.Header(
      "file,frames,duration_seconds,trailer_rate,largest_amplitude,low_hz,high_hz,"
      "sounding_0,sounding_1,sounding_2,sounding_3,sounding_4,sounding_5,sounding_6,"
      "sounding_7,sounding_8");
  const DatSummary& summary = file.datSummary;
  std::string row = Field(file.path) + "," + std::to_string(summary.frames) + "," +
                    Number(summary.durationSeconds) + "," + std::to_string(summary.trailerRate) +
                    "," + std::to_string(summary.largestAmplitude) + "," +
                    Range(summary.frequencyRange);
  for (const int count : summary.soundingHistogram) {
    row += "," + std::to_string(count);
  }
  table.Row(row);
}

void VoiSummaryRows(Table& table, const Inspection& file) {
  std::string header = "file,source,channels,output_frames,duration_seconds,channel,silent";
  for (int level = 0; level < 16; ++level) {
    header += ",level_" + std::to_string(level);
  }
  table.Header(header + ",low_hz,high_hz");
  const VoiSummary& summary = file.voiSummary;
  for (std::size_t k = 0; k < summary.channels.size(); ++k) {
    const VoiChannelSummary& channel = summary.channels[k];
    std::string row = Field(file.path) + "," + SourceName(summary.sourceType) + "," +
                      std::to_string(summary.channelCount) + "," +
                      std::to_string(summary.outputFrames) + "," + Number(summary.durationSeconds) +
                      "," + std::to_string(k) + "," + std::to_string(channel.silent);
    for (const int count : channel.levels) {
      row += "," + std::to_string(count);
    }
    table.Row(row + "," + Range(channel.pitchRange));
  }
}

void DatFrameRows(Table& table, const Inspection& file, const FrameRange& range) {
  table.Header("file,frame,channel,amplitude,hertz");
  for (int f = range.first; f < range.last; ++f) {
    const DatFrame& frame = file.dat.frames[static_cast<std::size_t>(f)];
    for (int c = 0; c < kChannelSlots; ++c) {
      table.Row(Field(file.path) + "," + std::to_string(f) + "," + std::to_string(c) + "," +
                std::to_string(frame.channels[c].amplitude) + "," +
                Number(frame.channels[c].frequency / 10.0));
    }
  }
}

void VoiFrameRows(Table& table, const Inspection& file, const FrameRange& range) {
  table.Header("file,frame,channel,record,silent,hertz,level");
  for (int f = range.first; f < range.last; ++f) {
    for (int k = 0; k < file.voi.channelCount; ++k) {
      const ChannelRecord record = file.voi.Record(f, k);
      const DecodedRecord decoded = DecodeRecord(file.voi.sourceType, record);
      table.Row(Field(file.path) + "," + std::to_string(f) + "," + std::to_string(k) + "," +
                RecordHex(record) + "," + (decoded.silent ? "true" : "false") + "," +
                (decoded.silent ? std::string() : Number(decoded.hertz)) + "," +
                std::to_string(decoded.level));
    }
  }
}

}  // namespace

std::string CsvReport(const std::vector<Inspection>& files,
                      const std::optional<FrameRange>& frames) {
  Table table;
  for (const Inspection& file : files) {
    if (!file.ok()) {
      continue;
    }
    const bool dat = file.kind == FileKind::dat;
    if (!frames) {
      dat ? DatSummaryRow(table, file) : VoiSummaryRows(table, file);
      continue;
    }
    const FrameRange range =
        frames->ClippedTo(dat ? file.datSummary.frames : file.voiSummary.outputFrames);
    dat ? DatFrameRows(table, file, range) : VoiFrameRows(table, file, range);
  }
  return table.Text();
}

}  // namespace larkfold
