# Shared by the suites: strict mode, the warning policy and the job count.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
if [[ "${CI:-}" == "true" ]]; then warnings_as_errors=ON; else warnings_as_errors=OFF; fi
jobs="$(nproc 2>/dev/null || echo 2)"
