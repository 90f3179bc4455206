// A stand-in for platform/ in the core's unit tests: files live in memory,
// every file operation can be made to fail, both clocks are driven by the
// test, and every block allocation and release is recorded.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace larkfold::fake {

struct FakeFile {
  std::string bytes;
  int openCause = 0;                       // non-zero: Open fails with this cause
  bool failLength = false;                 // GetLength raises
  bool failRead = false;                   // Read raises
  bool failClose = false;                  // Close raises
  std::optional<std::uint32_t> readLimit;  // Read returns at most this many bytes
};

struct FileSystem {
  std::map<std::string, FakeFile> files;
  int openHandles = 0;  // files opened for reading and not yet closed
  std::vector<std::string> openedPaths;

  // The writer.
  bool refuseCreate = false;   // AtomicOutputFile::Open fails
  bool failWrite = false;      // Write raises
  bool shortWrite = false;     // Write stops short (a full disk)
  bool failCommit = false;     // Commit raises before the target is replaced
  int pendingTemporaries = 0;  // temporary files that exist right now
};

struct Clocks {
  bool hasCounter = true;
  std::int64_t counterFrequency = 1000000000;
  // Called on every reading; the defaults return 0.
  std::function<std::int64_t()> counter;
  std::function<std::int32_t()> milliseconds;
};

struct Memory {
  int allocations = 0;
  int failNextAllocations = 0;  // this many allocations return null
  bool refuseReleases = false;  // FreeFixedBlock reports failure (the block is still freed)
  std::vector<void*> releaseOrder;
  std::vector<std::size_t> allocationSizes;
  int liveBlocks = 0;
};

FileSystem& Files();
Clocks& Clock();
Memory& Blocks();

// Empties the files, resets the clocks, frees nothing (the block pool owns its
// blocks) but forgets the records.
void Reset();

}  // namespace larkfold::fake
