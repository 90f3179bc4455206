#include "convert/driver.h"

#include <gtest/gtest.h>

#include "assign/progress_state.h"
#include "convert/block_pool.h"
#include "convert/messages.h"
#include "platform/file.h"
#include "tests/support/dat_builder.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_platform_test.h"

namespace larkfold {
namespace {

using testing::DatBytes;
using testing::FakeHost;
using testing::Frame;
using testing::ShownMessage;

class DriverTest : public testing::FakePlatformTest {
 protected:
  void SetUp() override {
    FakePlatformTest::SetUp();
    host.texts[IDC_DAT_PATH] = "dir/song.dat";
    // 40 frames of two partials that swap places every frame.
    std::vector<DatFrame> frames;
    for (int i = 0; i < 40; ++i) {
      frames.push_back(i % 2 == 0 ? Frame({{65535, 4400}, {4096, 8800}})
                                  : Frame({{4096, 8800}, {65535, 4400}}));
    }
    fake::Files().files["dir/song.dat"].bytes = DatBytes(frames);
  }

  bool VoiWritten() const { return fake::Files().files.count("dir/song.voi") == 1; }

  // The clock moves `step` ms per reading.
  void ClockStep(std::int32_t step) {
    fake::Clock().milliseconds = [this, step] { return now += step; };
  }

  FakeHost host;
  std::int32_t now = 0;
};

TEST_F(DriverTest, ConvertsAndEndsWithOneMessage) {
  OnConvert(host, SearchMethod::fast);
  EXPECT_EQ(host.messages, (std::vector<ShownMessage>{{"終了しました", kMessageOk}}));
  EXPECT_EQ(host.busyWhileMessageShown[0], 1) << "busy until the message is closed";
  EXPECT_EQ(ProgressState::busy, 0);
  EXPECT_EQ(host.windowsCreated, 1);
  EXPECT_EQ(host.windowsDestroyed, 1);
  EXPECT_EQ(ProgressState::progressWindow, nullptr);
  EXPECT_EQ(ProgressState::cancelRequested, 1) << "destroying the window sets it";
  EXPECT_EQ(BlockPool::HeldCount(), 0);
  EXPECT_EQ(fake::Blocks().liveBlocks, 0);
  ASSERT_TRUE(VoiWritten());
  const std::string& voi = fake::Files().files.at("dir/song.voi").bytes;
  EXPECT_EQ(voi.size(), 512u);  // 4 + 40 * 5 * 2 = 404 bytes of header and records
  EXPECT_EQ(voi.substr(0, 4), std::string("\x04\x05\x28\x00", 4));
}

TEST_F(DriverTest, ABusyConversionRefusesTheButtonSilently) {
  ProgressState::busy = 1;
  OnConvert(host, SearchMethod::fast);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_TRUE(host.controlReads.empty());
  EXPECT_EQ(ProgressState::busy, 1);
}

TEST_F(DriverTest, ARejectedSettingEndsBeforeAnythingIsLoaded) {
  host.texts[IDC_SPEED] = "2";
  OnConvert(host, SearchMethod::fast);
  EXPECT_EQ(host.messages,
            (std::vector<ShownMessage>{{"速度を0.9 - 1.1までに指定して下さい", kMessageWarning}}));
  EXPECT_TRUE(fake::Files().openedPaths.empty());
  EXPECT_EQ(fake::Blocks().allocations, 0);
  EXPECT_EQ(host.windowsCreated, 0);
}

TEST_F(DriverTest, AStageFailureIsShownWithoutAProgressWindow) {
  const struct {
    const char* path;
    std::string bytes;
    std::string_view message;
  } cases[] = {
      {"gone.dat", "", messages::kFileNotFound},
      {"empty.dat", "", messages::kNoData},
      {"rate.dat", DatBytes({}, 61), messages::kNotSixtiethSecond},
      {"big.dat", std::string(36001 * 64, '\0'), messages::kTooLarge},
  };
  for (const auto& c : cases) {
    FakeHost failing;
    failing.texts[IDC_DAT_PATH] = c.path;
    if (std::string(c.path) != "gone.dat")
      fake::Files().files[c.path].bytes = c.bytes;
    OnConvert(failing, SearchMethod::fast);
    EXPECT_EQ(failing.messages, (std::vector<ShownMessage>{{std::string(c.message), kMessageOk}}))
        << c.path;
    EXPECT_EQ(failing.busyWhileMessageShown[0], 0) << c.path;
    EXPECT_EQ(failing.windowsCreated, 0) << c.path;
    EXPECT_EQ(BlockPool::HeldCount(), 0) << c.path;
  }
}

TEST_F(DriverTest, WritesNextToTheDatFileUnderItsName) {
  const struct {
    const char* dat;
    const char* voi;
  } cases[] = {{"C:\\data\\SONG.DAT", "C:\\data\\SONG.voi"},
               {"C:\\data\\songdat", "C:\\data\\son.voi"}};
  for (const auto& c : cases) {
    fake::Files().files[c.dat].bytes = DatBytes({Frame({{1, 4400}})});
    FakeHost other;
    other.texts[IDC_DAT_PATH] = c.dat;
    OnConvert(other, SearchMethod::fast);
    EXPECT_EQ(fake::Files().files.count(c.voi), 1u) << c.dat;
  }
}

TEST_F(DriverTest, AFileWithOnlyItsTrailerOpensAndClosesTheWindowAndWrites256Bytes) {
  fake::Files().files["dir/song.dat"].bytes = DatBytes({});
  OnConvert(host, SearchMethod::fast);
  EXPECT_EQ(host.messages[0].text, "終了しました");
  EXPECT_EQ(host.windowsCreated, 1);
  EXPECT_EQ(host.windowsDestroyed, 1);
  EXPECT_TRUE(host.updates.empty());
  EXPECT_EQ(fake::Files().files.at("dir/song.voi").bytes,
            std::string("\x04\x05", 2) + std::string(254, '\0'));
}

TEST_F(DriverTest, AFailedWriteKeepsThePreviousVoi) {
  fake::Files().files["dir/song.voi"].bytes = "previous";
  fake::Files().shortWrite = true;
  OnConvert(host, SearchMethod::fast);
  EXPECT_EQ(host.messages,
            (std::vector<ShownMessage>{{"ファイルを作成できませんでした", kMessageOk}}));
  EXPECT_EQ(fake::Files().files.at("dir/song.voi").bytes, "previous");
  EXPECT_EQ(host.windowsDestroyed, 1);
  EXPECT_EQ(BlockPool::HeldCount(), 0);
  EXPECT_EQ(ProgressState::busy, 0);
}

TEST_F(DriverTest, ACancelFromAWindowEndsAtTheNextPollWithNoFile) {
  ClockStep(60);
  fake::Files().files["dir/song.voi"].bytes = "previous";
  host.onPump = [this] {
    // The progress window's cancel button: request, then destroy the window.
    ProgressState::cancelRequested = 1;
    host.DestroyProgressWindow(ProgressState::progressWindow);
  };
  OnConvert(host, SearchMethod::exhaustive);
  EXPECT_EQ(host.pumps, 1);
  EXPECT_EQ(host.messages, (std::vector<ShownMessage>{{"中止しました", kMessageOk}}));
  EXPECT_EQ(host.busyWhileMessageShown[0], 1);
  EXPECT_EQ(ProgressState::busy, 0);
  EXPECT_EQ(host.windowsDestroyed, 1) << "only by whoever cancelled";
  EXPECT_EQ(BlockPool::HeldCount(), 0);
  EXPECT_EQ(fake::Files().files.at("dir/song.voi").bytes, "previous");
}

TEST_F(DriverTest, ACancelAfterTheLastPollIsNotHonoured) {
  // Polls happen until the clock stops; the request comes at the last one.
  int pollsLeft = 3;
  fake::Clock().milliseconds = [this, &pollsLeft] { return pollsLeft > 0 ? now += 60 : now; };
  host.onPump = [&] {
    if (--pollsLeft == 0)
      ProgressState::cancelRequested = 1;
  };
  OnConvert(host, SearchMethod::fast);
  EXPECT_EQ(host.pumps, 3);
  EXPECT_EQ(host.messages[0].text, "終了しました");
  EXPECT_TRUE(VoiWritten());
}

TEST_F(DriverTest, ASecondPressDuringTheSearchDoesNothing) {
  ClockStep(60);
  FakeHost second;
  second.texts[IDC_DAT_PATH] = "dir/song.dat";
  host.onPump = [&] { OnConvert(second, SearchMethod::fast); };
  OnConvert(host, SearchMethod::fast);
  EXPECT_GT(host.pumps, 0);
  EXPECT_TRUE(second.messages.empty());
  EXPECT_TRUE(second.controlReads.empty());
  EXPECT_EQ(host.messages[0].text, "終了しました");
}

TEST_F(DriverTest, ChangingTheControlsDuringTheSearchChangesNothing) {
  ClockStep(60);
  host.onPump = [&] {
    host.texts[IDC_VOLUME] = "20";
    host.SelectSource(IDC_SOURCE_FM);
  };
  OnConvert(host, SearchMethod::fast);
  EXPECT_EQ(fake::Files().files.at("dir/song.voi").bytes[0], 4);
}

TEST_F(DriverTest, WithoutAProgressWindowTheSearchStillRuns) {
  ClockStep(60);
  host.createWindowFails = true;
  OnConvert(host, SearchMethod::fast);
  EXPECT_GT(host.pumps, 0);
  EXPECT_TRUE(host.updates.empty());
  EXPECT_EQ(host.windowsDestroyed, 0);
  EXPECT_EQ(host.messages[0].text, "終了しました");
}

TEST_F(DriverTest, AReadFailureEscapesAndTheNextConversionReleasesItsBlock) {
  fake::Files().files["dir/song.dat"].failRead = true;
  EXPECT_THROW(OnConvert(host, SearchMethod::fast), CFileException);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(ProgressState::busy, 0);
  EXPECT_EQ(host.windowsCreated, 0);
  EXPECT_EQ(BlockPool::HeldCount(), 1) << "kept until the next conversion ends";

  fake::Files().files["dir/song.dat"].failRead = false;
  FakeHost next;
  next.texts[IDC_DAT_PATH] = "dir/song.dat";
  OnConvert(next, SearchMethod::fast);
  EXPECT_EQ(next.messages[0].text, "終了しました");
  EXPECT_EQ(BlockPool::HeldCount(), 0);
  EXPECT_EQ(fake::Blocks().liveBlocks, 0);
}

TEST_F(DriverTest, EveryWayOutLeavesTheNextPressFree) {
  host.texts[IDC_VOLUME] = "5";
  OnConvert(host, SearchMethod::fast);
  host.texts[IDC_VOLUME] = "100";
  OnConvert(host, SearchMethod::fast);
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[1].text, "終了しました");
}

}  // namespace
}  // namespace larkfold
