#include "dat/dat_loader.h"

#include <gtest/gtest.h>

#include <cstring>

#include "convert/block_pool.h"
#include "convert/messages.h"
#include "platform/file.h"
#include "tests/support/fake_platform_test.h"

namespace larkfold {
namespace {

class DatLoaderTest : public testing::FakePlatformTest {
 protected:
  ConversionResult Load(const std::string& path, std::int32_t extraBytes = 4096) {
    block = nullptr;
    length = -1;
    return LoadDatFile(path, extraBytes, block, length);
  }
  void* block = nullptr;
  std::int32_t length = -1;
};

TEST_F(DatLoaderTest, ReadsTheWholeFileFollowedByZeroBytes) {
  std::string bytes(130, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<char>(i + 1);
  fake::Files().files["a.dat"].bytes = bytes;

  EXPECT_EQ(Load("a.dat"), "");
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(length, 130);
  EXPECT_EQ(fake::Blocks().allocationSizes, (std::vector<std::size_t>{130 + 4096}));
  const auto* loaded = static_cast<const unsigned char*>(block);
  EXPECT_EQ(std::memcmp(loaded, bytes.data(), bytes.size()), 0);
  // The zero bytes start right after the file's last byte, not after its last whole record.
  for (int i = 130; i < 130 + 4096; ++i)
    ASSERT_EQ(loaded[i], 0) << i;
  EXPECT_EQ(BlockPool::HeldCount(), 1);
  EXPECT_EQ(fake::Files().openHandles, 0) << "the file is closed";
}

TEST_F(DatLoaderTest, AnEmptyFileLoadsAsZeroBytesOnly) {
  fake::Files().files["e.dat"].bytes = "";
  EXPECT_EQ(Load("e.dat", 16), "");
  EXPECT_EQ(length, 0);
  const auto* loaded = static_cast<const unsigned char*>(block);
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(loaded[i], 0);
}

struct OpenCase {
  int cause;
  std::string_view message;
  const char* why;
};

TEST_F(DatLoaderTest, AFailedOpenGivesItsMessageAndTakesNoMemory) {
  const OpenCase cases[] = {
      {CFileException::fileNotFound, messages::kFileNotFound, "missing file"},
      {CFileException::badPath, messages::kCannotOpen, "missing folder on the way"},
      {CFileException::accessDenied, messages::kCannotOpen, "denied, or a folder"},
      {CFileException::sharingViolation, messages::kCannotOpen, "held by another program"},
      {CFileException::genericException, messages::kCannotOpen, "anything else"},
  };
  for (const OpenCase& c : cases) {
    fake::Files().files["x.dat"].openCause = c.cause;
    EXPECT_EQ(Load("x.dat"), c.message) << c.why;
    EXPECT_EQ(block, nullptr) << c.why;
    EXPECT_EQ(fake::Blocks().allocations, 0) << c.why;
  }
  EXPECT_EQ(Load("nowhere.dat"), messages::kFileNotFound);
}

TEST_F(DatLoaderTest, ANullBlockFromThePoolIsReported) {
  fake::Files().files["a.dat"].bytes = std::string(64, '\0');
  fake::Blocks().failNextAllocations = 1;
  EXPECT_EQ(Load("a.dat"), messages::kOutOfMemory);
  EXPECT_EQ(block, nullptr);
  EXPECT_EQ(length, 64);
  EXPECT_EQ(BlockPool::HeldCount(), 1) << "the null slot stays until the release";
  EXPECT_EQ(fake::Files().openHandles, 0) << "closed as the file object goes";
}

TEST_F(DatLoaderTest, AShortReadIsAReadErrorAndTheTailIsStillZeroed) {
  fake::Files().files["a.dat"].bytes = std::string(200, '\x7F');
  fake::Files().files["a.dat"].readLimit = 150;
  EXPECT_EQ(Load("a.dat", 8), messages::kReadError);
  ASSERT_NE(block, nullptr);
  const auto* loaded = static_cast<const unsigned char*>(block);
  for (int i = 200; i < 208; ++i)
    EXPECT_EQ(loaded[i], 0);
  EXPECT_EQ(BlockPool::HeldCount(), 1);
}

TEST_F(DatLoaderTest, AFileLongerThanAnyValidOneIsRefusedBeforeMemoryIsTaken) {
  fake::Files().files["big.dat"].bytes = std::string(36000 * 64 + 64, '\0');
  EXPECT_EQ(Load("big.dat"), messages::kTooLarge);
  EXPECT_EQ(fake::Blocks().allocations, 0);
  fake::Files().files["edge.dat"].bytes = std::string(36000 * 64 + 63, '\0');
  EXPECT_EQ(Load("edge.dat"), "") << "36000 records and a partial one can still be valid";
}

struct RaiseCase {
  bool length, read, close;
  bool blockTaken;
  const char* why;
};

TEST_F(DatLoaderTest, SystemFailuresInsideTheFileClassRaiseAndCloseTheFile) {
  const RaiseCase cases[] = {
      {true, false, false, false, "length query"},
      {false, true, false, true, "read"},
      {false, false, true, true, "close"},
  };
  for (const RaiseCase& c : cases) {
    BlockPool::Request(0);
    fake::Reset();
    fake::FakeFile& file = fake::Files().files["a.dat"];
    file.bytes = std::string(64, '\0');
    file.failLength = c.length;
    file.failRead = c.read;
    file.failClose = c.close;
    EXPECT_THROW(Load("a.dat"), CFileException) << c.why;
    EXPECT_EQ(fake::Files().openHandles, 0) << c.why;
    EXPECT_EQ(BlockPool::HeldCount(), c.blockTaken ? 1 : 0) << c.why;
  }
}

}  // namespace
}  // namespace larkfold
