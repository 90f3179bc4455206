// What inspect reports, read back as a program would read it: the JSON
// parses and carries the documented fields with the converter's numbers.
#include "preview/file_report.h"

#include <gtest/gtest.h>

#include "tests/support/dat_builder.h"
#include "tests/support/fake_platform_test.h"
#include "tests/support/mini_json.h"
#include "voi/voi_image.h"

namespace larkfold {
namespace {

using testing::DatBytes;
using testing::Frame;
using testing::Json;
using testing::JsonReader;

class InspectReportTest : public testing::FakePlatformTest {
 protected:
  void SetUp() override {
    FakePlatformTest::SetUp();
    // Largest amplitude 3000. Normalised: 47 becomes 1026 (sounding), 46
    // becomes 1004 (quiet), 1000 becomes 21845.
    fake::Files().files["a,b \"song\".dat"].bytes = DatBytes(
        {Frame({{3000, 4400}, {47, 1000}, {46, 20000}}), Frame({{1000, 2200}, {0, 0}, {0, 0}})});
    VoiImage::Begin(SourceType::Fm, 3);
    for (const ChannelRecord record :
         {ChannelRecord{0x22, 0x7F}, ChannelRecord{0x00, 0x00}, ChannelRecord{0x22, 0x70},
          ChannelRecord{0x49, 0xFF}, ChannelRecord{0x00, 0x00}, ChannelRecord{0x00, 0x00}}) {
      VoiImage::Append(record);
    }
    const std::int32_t length = VoiImage::Finish(2);
    fake::Files().files["song.voi"].bytes.assign(reinterpret_cast<const char*>(VoiImage::Data()),
                                                 static_cast<std::size_t>(length));
    fake::Files().files["torn.voi"].bytes = fake::Files().files["song.voi"].bytes.substr(0, 10);
  }

  std::vector<Inspection> InspectAll() {
    std::vector<Inspection> files;
    for (const char* path : {"a,b \"song\".dat", "song.voi", "torn.voi", "missing.dat"}) {
      files.push_back(InspectFile(path));
    }
    return files;
  }
};

TEST_F(InspectReportTest, JsonCarriesTheDocumentedFields) {
  const Json report = JsonReader::Parse(JsonReport(InspectAll(), ParseFrameRange("0:")));
  EXPECT_EQ(report["schema"].string, "larkfold-inspect/1");
  ASSERT_EQ(report["files"].array.size(), 4u);

  const Json& dat = report["files"][0];
  EXPECT_EQ(dat["path"].string, "a,b \"song\".dat");
  EXPECT_EQ(dat["kind"].string, "dat");
  EXPECT_EQ(dat["frames"].number, 2);
  EXPECT_NEAR(dat["duration_seconds"].number, 2 / 60.0, 1e-12);
  EXPECT_EQ(dat["trailer_rate"].number, 60);
  EXPECT_EQ(dat["largest_amplitude"].number, 3000) << "in the file's own scale";
  EXPECT_EQ(dat["frequency_range_hz"]["low"].number, 100.0) << "47 sounds once normalised";
  EXPECT_EQ(dat["frequency_range_hz"]["high"].number, 440.0) << "46 does not";
  std::vector<double> histogram;
  for (const Json& count : dat["sounding_channels_histogram"].array)
    histogram.push_back(count.number);
  EXPECT_EQ(histogram, (std::vector<double>{0, 1, 1, 0, 0, 0, 0, 0, 0}));
  const Json& second = dat["frame_list"][1];
  EXPECT_EQ(second["frame"].number, 1);
  EXPECT_EQ(second["channels"][0]["amplitude"].number, 21845) << "normalised, as converted";
  EXPECT_EQ(second["channels"][0]["hertz"].number, 220.0);

  const Json& voi = report["files"][1];
  EXPECT_EQ(voi["kind"].string, "voi");
  EXPECT_EQ(voi["source"].string, "fm");
  EXPECT_EQ(voi["channels"].number, 3);
  EXPECT_EQ(voi["output_frames"].number, 2);
  EXPECT_EQ(voi["file_length"].number, 256);
  const Json& first = voi["channel_summaries"][0];
  EXPECT_EQ(first["channel"].number, 0);
  EXPECT_EQ(first["silent_records"].number, 0);
  EXPECT_EQ(first["level_histogram"].array.size(), 16u);
  EXPECT_EQ(first["level_histogram"][15].number, 2);
  EXPECT_NEAR(first["pitch_range_hz"]["low"].number, 440.0, 2.0);
  EXPECT_NEAR(first["pitch_range_hz"]["high"].number, 8000.0, 20.0);
  EXPECT_EQ(voi["channel_summaries"][1]["level_histogram"][0].number, 0)
      << "00 00 is silent, not level 0";
  EXPECT_EQ(voi["channel_summaries"][1]["silent_records"].number, 2);
  EXPECT_EQ(voi["channel_summaries"][2]["level_histogram"][0].number, 1) << "22 70: level 0";
  EXPECT_EQ(voi["channel_summaries"][1]["pitch_range_hz"].type, Json::Type::null);
  const Json& record = voi["frame_list"][0]["records"][0];
  EXPECT_EQ(record["record"].string, "22 7F");
  EXPECT_FALSE(record["silent"].boolean);
  EXPECT_EQ(record["level"].number, 15);
  EXPECT_EQ(voi["frame_list"][0]["records"][1]["hertz"].type, Json::Type::null);

  EXPECT_NE(report["files"][2]["damaged"].string.find("cut short"), std::string::npos);
  EXPECT_FALSE(report["files"][2].Has("output_frames"));
  EXPECT_EQ(report["files"][3]["error"].string, "ファイルが見つかりません");
}

TEST_F(InspectReportTest, CsvQuotesPathsAndLeavesOutFailedFiles) {
  const std::string csv = CsvReport(InspectAll(), std::nullopt);
  EXPECT_NE(csv.find("\"a,b \"\"song\"\".dat\",2,0.033,60,3000,100.000,440.000,0,1,1,"),
            std::string::npos)
      << csv;
  EXPECT_NE(csv.find("\nsong.voi,fm,3,2,0.033,1,2,"), std::string::npos) << csv;
  EXPECT_EQ(csv.find("torn.voi"), std::string::npos);
  EXPECT_EQ(csv.find("missing.dat"), std::string::npos);
}

TEST_F(InspectReportTest, TellsFilesApartByNameAndThenByContent) {
  fake::Files().files["plain"].bytes = fake::Files().files["song.voi"].bytes;
  fake::Files().files["recording"].bytes = fake::Files().files["a,b \"song\".dat"].bytes;
  fake::Files().files["NAMED.VOI"].bytes = fake::Files().files["a,b \"song\".dat"].bytes;
  EXPECT_EQ(InspectFile("plain").kind, FileKind::voi);
  EXPECT_EQ(InspectFile("recording").kind, FileKind::dat);
  EXPECT_TRUE(InspectFile("recording").ok());
  const Inspection named = InspectFile("NAMED.VOI");
  EXPECT_EQ(named.kind, FileKind::voi) << "the name decides";
  EXPECT_FALSE(named.damage.empty());
}

}  // namespace
}  // namespace larkfold
