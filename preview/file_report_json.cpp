#include "preview/file_report.h"
#include "preview/json_writer.h"
#include "voi/record_decoding.h"

namespace larkfold {
namespace {

void Range(JsonWriter& json, const char* key, const std::optional<HertzRange>& range) {
  json.Key(key);
  if (!range) {
    json.Null();
    return;
  }
  json.BeginObject();
  json.Key("low");
  json.Number(RoundedHertz(range->low));
  json.Key("high");
  json.Number(RoundedHertz(range->high));
  json.EndObject();
}

template <typename Container>
void Counts(JsonWriter& json, const char* key, const Container& counts) {
  json.Key(key);
  json.BeginArray(true);
  for (const int count : counts) {
    json.Number(std::int64_t{count});
  }
  json.EndArray();
}

// "frame_list": one object per frame of `range`, its `member` array filled by write(f).
template <typename WriteFrame>
void FrameList(JsonWriter& json, const FrameRange& range, const char* member, WriteFrame&& write) {
  json.Key("frame_list");
  json.BeginArray();
  for (int f = range.first; f < range.last; ++f) {
    json.BeginObject();
    json.Key("frame");
    json.Number(std::int64_t{f});
    json.Key(member);
    json.BeginArray();
    write(f);
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
}

void Dat(JsonWriter& json, const Inspection& file, const std::optional<FrameRange>& frames) {
  const DatSummary& summary = file.datSummary;
  json.Key("frames");
  json.Number(std::int64_t{summary.frames});
  json.Key("duration_seconds");
  json.Number(summary.durationSeconds);
  json.Key("trailer_rate");
  json.Number(std::int64_t{summary.trailerRate});
  json.Key("largest_amplitude");
  json.Number(std::int64_t{summary.largestAmplitude});
  Range(json, "frequency_range_hz", summary.frequencyRange);
  Counts(json, "sounding_channels_histogram", summary.soundingHistogram);
  if (!frames) {
    return;
  }
  FrameList(json, frames->ClippedTo(summary.frames), "channels", [&](int f) {
    for (const ChannelSample& sample : file.dat.frames[static_cast<std::size_t>(f)].channels) {
      json.BeginObject();
      json.Key("amplitude");
      json.Number(std::int64_t{sample.amplitude});
      json.Key("hertz");
      json.Number(RoundedHertz(sample.frequency / 10.0));
      json.EndObject();
    }
  });
}

void Voi(JsonWriter& json, const Inspection& file, const std::optional<FrameRange>& frames) {
  const VoiSummary& summary = file.voiSummary;
  json.Key("source");
  json.String(SourceName(summary.sourceType));
  json.Key("channels");
  json.Number(std::int64_t{summary.channelCount});
  json.Key("output_frames");
  json.Number(std::int64_t{summary.outputFrames});
  json.Key("duration_seconds");
  json.Number(summary.durationSeconds);
  json.Key("file_length");
  json.Number(summary.fileLength);
  json.Key("channel_summaries");
  json.BeginArray();
  for (std::size_t k = 0; k < summary.channels.size(); ++k) {
    const VoiChannelSummary& channel = summary.channels[k];
    json.BeginObject();
    json.Key("channel");
    json.Number(static_cast<std::int64_t>(k));
    json.Key("silent_records");
    json.Number(std::int64_t{channel.silent});
    Counts(json, "level_histogram", channel.levels);
    Range(json, "pitch_range_hz", channel.pitchRange);
    json.EndObject();
  }
  json.EndArray();
  if (!frames) {
    return;
  }
  FrameList(json, frames->ClippedTo(summary.outputFrames), "records", [&](int f) {
    for (int k = 0; k < file.voi.channelCount; ++k) {
      const ChannelRecord record = file.voi.Record(f, k);
      const DecodedRecord decoded = DecodeRecord(file.voi.sourceType, record);
      json.BeginObject();
      json.Key("record");
      json.String(RecordHex(record));
      json.Key("silent");
      json.Bool(decoded.silent);
      json.Key("hertz");
      decoded.silent ? json.Null() : json.Number(RoundedHertz(decoded.hertz));
      json.Key("level");
      json.Number(std::int64_t{decoded.level});
      json.EndObject();
    }
  });
}

}  // namespace

std::string JsonReport(const std::vector<Inspection>& files,
                       const std::optional<FrameRange>& frames) {
  JsonWriter json;
  json.BeginObject();
  json.Key("schema");
  json.String("larkfold-inspect/1");
  json.Key("files");
  json.BeginArray();
  for (const Inspection& file : files) {
    json.BeginObject();
    json.Key("path");
    json.String(file.path);
    json.Key("kind");
    json.String(file.kind == FileKind::dat ? "dat" : "voi");
    if (!file.ok()) {
      if (file.damage.empty()) {
        json.Key("error");
        json.String(file.failure);
      } else {
        json.Key("damaged");
        json.String(file.damage);
      }
    } else if (file.kind == FileKind::dat) {
      Dat(json, file, frames);
    } else {
      Voi(json, file, frames);
    }
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  return json.Text();
}

}  // namespace larkfold
