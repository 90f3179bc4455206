# packages: clang-format
# Every C++ source is formatted as .clang-format says.
source "$(dirname "$0")/common.bash"
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run -Werror "${sources[@]}"
echo "${#sources[@]} files formatted"
