// Everything below a folder, taken before and after a run of the tool to show
// that the run created, removed or changed nothing it should not have. The walk
// goes by descriptor, so paths longer than the system allows are no obstacle.
#pragma once

#include <map>
#include <string>

namespace larkfold::e2e {

struct SnapshotEntry {
  char kind = '?';      // 'f' file, 'd' folder, 'l' link, 'p' FIFO, '?' anything else
  unsigned mode = 0;    // permission bits
  std::string content;  // a file's bytes (its size and time when huge), a link's target
  bool operator==(const SnapshotEntry&) const = default;
};

// Keyed by the path below the folder.
using FolderSnapshot = std::map<std::string, SnapshotEntry>;

FolderSnapshot TakeSnapshot(const std::string& folder);

// One line for every entry that differs.
std::string DescribeDifferences(const FolderSnapshot& before, const FolderSnapshot& after);

}  // namespace larkfold::e2e
