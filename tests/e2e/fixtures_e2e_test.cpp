// The independently worked conversions in tests/data/fixtures, through the tool.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "tests/e2e/e2e_support.h"

namespace larkfold::e2e {
namespace {

struct Fixture {
  const char* name;
  const char* source;
  int channels;
  const char* volume;
  const char* speed;
  const char* expectedVoi;  // under expected/, or null when a message is expected
  const char* message;
  const char* preexisting = nullptr;  // a VOI already in place, replaced by the conversion
};

// The same conversions as manifest.json, which the first test holds this table to.
const Fixture kFixtures[] = {
    {"fail_rate61_trailer_only", "fm", 4, "100", "1.0", nullptr, "発音単位が1/60秒ではありません"},
    {"trailer_only_pcm5", "pcm", 5, "100", "1.0", "trailer_only_pcm5.voi", "終了しました",
     "trailer_only_pcm5.preexisting"},
    {"voice_n3_fm_v100_s1.0", "fm", 3, "100", "1.0", "voice_n3_fm_v100_s1.0.voi", "終了しました"},
    {"voice_n5_pcm_v100_s1.0", "pcm", 5, "100", "1.0", "voice_n5_pcm_v100_s1.0.voi",
     "終了しました"},
    {"voice_n6_fm_v100_s1.0625", "fm", 6, "100", "1.0625", "voice_n6_fm_v100_s1.0625.voi",
     "終了しました"},
    {"voice_n8_pcm_v199_s0.95", "pcm", 8, "199", "0.95", "voice_n8_pcm_v199_s0.95.voi",
     "終了しました"},
    {"random_n8_fm_v100_s1.0", "fm", 8, "100", "1.0", "random_n8_fm_v100_s1.0.voi", "終了しました"},
    {"ties_quiet_frames_n6", "fm", 6, "100", "0.95", "ties_quiet_frames_n6.voi", "終了しました"},
    {"ties_mixed_n8", "pcm", 8, "100", "0.9", "ties_mixed_n8.voi", "終了しました"},
};

void PrintTo(const Fixture& fixture, std::ostream* os) {
  *os << fixture.name;
}

const std::string kFixtureFolder = LARKFOLD_FIXTURE_PATH;

TEST(Fixtures, TheTableCoversTheManifest) {
  const std::string manifest = ReadFile(kFixtureFolder + "/manifest.json");
  std::set<std::string> listed;
  const std::regex name("\"name\": \"([^\"]+)\"");
  for (auto it = std::sregex_iterator(manifest.begin(), manifest.end(), name);
       it != std::sregex_iterator(); ++it) {
    listed.insert((*it)[1]);
  }
  std::set<std::string> ours;
  for (const Fixture& f : kFixtures)
    ours.insert(f.name);
  EXPECT_EQ(ours, listed);
}

class FixtureConversion : public ::testing::TestWithParam<std::tuple<Fixture, std::string>> {};

TEST_P(FixtureConversion, WritesExactlyTheExpectedFile) {
  const auto& [fixture, search] = GetParam();
  TemporaryFolder folder;
  const std::string dat = folder / (std::string(fixture.name) + ".dat");
  const std::string voi = folder / (std::string(fixture.name) + ".voi");
  WriteFile(dat, ReadFile(kFixtureFolder + "/dat/" + fixture.name + ".dat"));
  if (fixture.preexisting != nullptr) {
    WriteFile(voi, ReadFile(kFixtureFolder + "/expected/" + fixture.preexisting));
  }

  const Outcome outcome = RunTool({"convert", dat, "--source", fixture.source, "--channels",
                                   std::to_string(fixture.channels), "--volume", fixture.volume,
                                   "--speed", fixture.speed, "--search", search});
  if (fixture.expectedVoi != nullptr) {
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, std::string(fixture.message) + "\n");
    EXPECT_EQ(outcome.err, "");
    const std::string expected = ReadFile(kFixtureFolder + "/expected/" + fixture.expectedVoi);
    const std::string written = ReadFile(voi);
    ASSERT_EQ(written.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      ASSERT_EQ(static_cast<unsigned char>(written[i]), static_cast<unsigned char>(expected[i]))
          << "first difference at byte " << i;
    }
  } else {
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, std::string(fixture.message) + "\n");
    EXPECT_FALSE(Exists(voi));
  }
  EXPECT_EQ(FolderEntries(folder.path()).size(), fixture.expectedVoi != nullptr ? 2u : 1u)
      << "nothing but the DAT and its VOI";
}

INSTANTIATE_TEST_SUITE_P(BothSolvers, FixtureConversion,
                         ::testing::Combine(::testing::ValuesIn(kFixtures),
                                            ::testing::Values(std::string("fast"),
                                                              std::string("exhaustive"))),
                         [](const auto& info) {
                           std::string name = std::string(std::get<0>(info.param).name) + "_" +
                                              std::get<1>(info.param);
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c)))
                               c = '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace larkfold::e2e
