#include "tests/fake_platform/fake_platform.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/atomic_output_file.h"
#include "platform/clock.h"
#include "platform/file.h"
#include "platform/interrupt.h"
#include "platform/memory.h"

namespace larkfold {
namespace fake {
namespace {

FileSystem fileSystem;
Clocks clocks;
Memory memory;

}  // namespace

FileSystem& Files() {
  return fileSystem;
}
Clocks& Clock() {
  return clocks;
}
Memory& Blocks() {
  return memory;
}

void Reset() {
  fileSystem = FileSystem();
  clocks = Clocks();
  const int live = memory.liveBlocks;
  memory = Memory();
  memory.liveBlocks = live;
}

}  // namespace fake

using fake::fileSystem;

std::string SystemErrorText(long osError) {
  return "fake error " + std::to_string(osError);
}

// Reading --------------------------------------------------------------------

CFile::~CFile() {
  if (handle_ >= 0) {
    --fileSystem.openHandles;
  }
}

bool CFile::Open(const std::string& path, unsigned, CFileException* error) {
  const auto found = fileSystem.files.find(path);
  int cause = 0;
  if (found == fileSystem.files.end()) {
    cause = CFileException::fileNotFound;
  } else {
    cause = found->second.openCause;
  }
  if (cause != 0) {
    if (error != nullptr) {
      *error = CFileException(cause, -1, path, CFileException::Operation::open);
    }
    return false;
  }
  handle_ = 1;
  path_ = path;
  ++fileSystem.openHandles;
  fileSystem.openedPaths.push_back(path);
  return true;
}

std::uint64_t CFile::GetLength() const {
  const fake::FakeFile& file = fileSystem.files.at(path_);
  if (file.failLength) {
    throw CFileException(CFileException::hardIO, 5, path_, CFileException::Operation::length);
  }
  return file.bytes.size();
}

std::uint32_t CFile::Read(void* buffer, std::uint32_t count) {
  const fake::FakeFile& file = fileSystem.files.at(path_);
  if (file.failRead) {
    throw CFileException(CFileException::hardIO, 5, path_, CFileException::Operation::read);
  }
  std::uint32_t n = std::min<std::uint32_t>(count, static_cast<std::uint32_t>(file.bytes.size()));
  if (file.readLimit) {
    n = std::min(n, *file.readLimit);
  }
  std::memcpy(buffer, file.bytes.data(), n);
  return n;
}

void CFile::Close() {
  if (handle_ < 0) {
    return;
  }
  handle_ = -1;
  --fileSystem.openHandles;
  if (fileSystem.files.at(path_).failClose) {
    throw CFileException(CFileException::hardIO, 5, path_, CFileException::Operation::close);
  }
}

// Writing --------------------------------------------------------------------

AtomicOutputFile::~AtomicOutputFile() {
  if (!temporary_.empty()) {
    --fileSystem.pendingTemporaries;
  }
}

bool AtomicOutputFile::Open(const std::string& path, CFileException* error) {
  if (fileSystem.refuseCreate) {
    if (error != nullptr) {
      *error =
          CFileException(CFileException::accessDenied, 13, path, CFileException::Operation::open);
    }
    return false;
  }
  target_ = path;
  temporary_ = path + ".tmp";
  handle_ = 1;
  ++fileSystem.pendingTemporaries;
  return true;
}

void AtomicOutputFile::Write(const void* data, std::uint32_t count) {
  if (fileSystem.failWrite) {
    throw CFileException(CFileException::hardIO, 5, target_, CFileException::Operation::write);
  }
  if (fileSystem.shortWrite) {
    throw CFileException(CFileException::diskFull, -1, target_, CFileException::Operation::write);
  }
  // Held under the temporary name until committed.
  fileSystem.files[temporary_].bytes.append(static_cast<const char*>(data), count);
}

void AtomicOutputFile::Commit() {
  if (fileSystem.failCommit) {
    fileSystem.files.erase(temporary_);
    throw CFileException(CFileException::hardIO, 5, target_, CFileException::Operation::close);
  }
  fileSystem.files[target_] = fileSystem.files[temporary_];
  fileSystem.files.erase(temporary_);
  --fileSystem.pendingTemporaries;
  temporary_.clear();
}

// Clocks ---------------------------------------------------------------------

bool ReadCounterFrequency(std::int64_t* frequency) {
  if (!fake::clocks.hasCounter) {
    return false;
  }
  *frequency = fake::clocks.counterFrequency;
  return true;
}

std::int64_t ReadCounter() {
  return fake::clocks.counter ? fake::clocks.counter() : 0;
}

std::int32_t ReadMillisecondClock() {
  return fake::clocks.milliseconds ? fake::clocks.milliseconds() : 0;
}

// Memory ---------------------------------------------------------------------

void* AllocateFixedBlock(std::size_t byteCount) {
  ++fake::memory.allocations;
  fake::memory.allocationSizes.push_back(byteCount);
  if (fake::memory.failNextAllocations > 0) {
    --fake::memory.failNextAllocations;
    return nullptr;
  }
  ++fake::memory.liveBlocks;
  return std::malloc(byteCount);
}

void* FreeFixedBlock(void* block) {
  fake::memory.releaseOrder.push_back(block);
  --fake::memory.liveBlocks;
  std::free(block);
  return fake::memory.refuseReleases ? block : nullptr;
}

// Interrupts are not part of the core's tests.
void WatchInterrupts(std::atomic<int>*) {}
bool InterruptReceived() {
  return false;
}

}  // namespace larkfold
