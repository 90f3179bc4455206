#include "convert/conversion_settings.h"

#include <gtest/gtest.h>

#include "convert/messages.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_platform_test.h"

namespace larkfold {
namespace {

using testing::FakeHost;
using testing::ShownMessage;

class ConversionSettingsTest : public testing::FakePlatformTest {
 protected:
  // Reads the settings; returns the warning shown, or "" when accepted.
  std::string Read(FakeHost& host) {
    counterFrequency = 0;
    const bool accepted = ReadConversionSettings(host, settings, counterFrequency);
    EXPECT_EQ(accepted, host.messages.empty());
    EXPECT_LE(host.messages.size(), 1u) << "at most one warning per press";
    if (host.messages.empty())
      return "";
    EXPECT_EQ(host.messages[0].type, kMessageWarning);
    return host.messages[0].text;
  }

  FakeHost WithPath(const char* path) {
    FakeHost host;
    host.texts[IDC_DAT_PATH] = path;
    return host;
  }

  ConversionSettings settings;
  std::int64_t counterFrequency = 0;
};

TEST_F(ConversionSettingsTest, AcceptsTheDialogDefaultsWithADatPath) {
  FakeHost host = WithPath("song.dat");
  EXPECT_EQ(Read(host), "");
  EXPECT_EQ(settings.sourceType, SourceType::Pcm);
  EXPECT_EQ(settings.channelCount, 5);
  EXPECT_EQ(settings.speedFactor, 1.0);
  EXPECT_EQ(settings.volumePercent, 100);
  EXPECT_EQ(settings.datPath, "song.dat");
  EXPECT_EQ(counterFrequency, 1000000000);
}

TEST_F(ConversionSettingsTest, ReadsTheSelectedRadioButtons) {
  for (int channels = 3; channels <= 8; ++channels) {
    FakeHost host = WithPath("a.dat");
    host.SelectSource(IDC_SOURCE_FM);
    host.SelectChannels(channels);
    EXPECT_EQ(Read(host), "");
    EXPECT_EQ(settings.sourceType, SourceType::Fm);
    EXPECT_EQ(settings.channelCount, channels);
  }
}

TEST_F(ConversionSettingsTest, TheLastSelectedButtonOfAGroupWins) {
  FakeHost host = WithPath("a.dat");
  host.checked[IDC_SOURCE_FM] = host.checked[IDC_SOURCE_PCM] = true;
  host.checked[IDC_CHANNELS_3] = host.checked[IDC_CHANNELS_7] = true;
  host.checked[IDC_CHANNELS_5] = false;
  EXPECT_EQ(Read(host), "");
  EXPECT_EQ(settings.sourceType, SourceType::Pcm);
  EXPECT_EQ(settings.channelCount, 7);
}

TEST_F(ConversionSettingsTest, AGroupWithNothingSelectedKeepsTheStartUpChoice) {
  FakeHost host = WithPath("a.dat");
  host.checked.clear();
  EXPECT_EQ(Read(host), "");
  EXPECT_EQ(settings.sourceType, SourceType::Pcm);
  EXPECT_EQ(settings.channelCount, 5);
}

struct FieldCase {
  const char* speed;
  const char* volume;
  const char* path;
  std::string_view warning;  // empty: accepted
  const char* why;
};

TEST_F(ConversionSettingsTest, ChecksSpeedVolumeAndPathInThatOrder) {
  using namespace messages;
  const FieldCase cases[] = {
      {"0.9", "100", "a.dat", "", "lowest speed accepted"},
      {"1.1", "100", "a.dat", "", "highest speed accepted"},
      {"0.89", "100", "a.dat", kSpeedOutOfRange, "just below"},
      {"1.11", "100", "a.dat", kSpeedOutOfRange, "just above"},
      {"", "100", "a.dat", kSpeedOutOfRange, "empty speed reads 0"},
      {"fast", "100", "a.dat", kSpeedOutOfRange, "letters read 0"},
      {"inf", "100", "a.dat", kSpeedOutOfRange, "no infinity"},
      {"nan", "100", "a.dat", kSpeedOutOfRange, "no not-a-number"},
      {"0x1p0", "100", "a.dat", kSpeedOutOfRange, "no hexadecimal"},
      {"\xEF\xBC\x91.\xEF\xBC\x90", "100", "a.dat", kSpeedOutOfRange, "full-width 1.0"},
      {"1.05x", "100", "a.dat", "", "garbage after the number"},
      {"11d-1", "100", "a.dat", "", "d exponent"},
      {"1.0", "20", "a.dat", "", "lowest volume"},
      {"1.0", "200", "a.dat", "", "highest volume"},
      {"1.0", "19", "a.dat", kVolumeOutOfRange, "just below"},
      {"1.0", "201", "a.dat", kVolumeOutOfRange, "just above"},
      {"1.0", "", "a.dat", kVolumeOutOfRange, "empty volume reads 0"},
      {"1.0", "150.9", "a.dat", "", "150"},
      {"1.0", "100%", "a.dat", "", "100"},
      {"1.0", "4294967396", "a.dat", kVolumeOutOfRange, "saturates, never wraps to 100"},
      {"2", "500", "x.txt", kSpeedOutOfRange, "only the first failing check warns"},
      {"1.0", "500", "x.txt", kVolumeOutOfRange, "volume before path"},
      {"1.0", "100", "C:\\data\\SONG.DAT", "", "capitals"},
      {"1.0", "100", "song.dat   ", "", "trailing blanks removed"},
      {"1.0", "100", "songdat", "", "no dot needed"},
      {"1.0", "100", "", kNotDatFile, "empty path"},
      {"1.0", "100", "song.da", kNotDatFile, "two letters"},
      {"1.0", "100", "at", kNotDatFile, "shorter than three characters"},
      {"1.0", "100", "song.dat.txt", kNotDatFile, "only the end counts"},
  };
  for (const FieldCase& c : cases) {
    FakeHost host = WithPath(c.path);
    host.texts[IDC_SPEED] = c.speed;
    host.texts[IDC_VOLUME] = c.volume;
    EXPECT_EQ(Read(host), c.warning)
        << c.speed << " / " << c.volume << " / " << c.path << ": " << c.why;
  }
}

TEST_F(ConversionSettingsTest, KeepsLeadingBlanksAndCaseOfThePath) {
  FakeHost host = WithPath("  Dir/Song.DaT \t");
  EXPECT_EQ(Read(host), "");
  EXPECT_EQ(settings.datPath, "  Dir/Song.DaT");
}

TEST_F(ConversionSettingsTest, WithoutACounterWarnsBeforeReadingAnyControl) {
  fake::Clock().hasCounter = false;
  FakeHost host = WithPath("x.txt");
  host.texts[IDC_SPEED] = "7";
  EXPECT_EQ(Read(host), messages::kNoPerformanceCounter);
  EXPECT_TRUE(host.controlReads.empty());
}

}  // namespace
}  // namespace larkfold
