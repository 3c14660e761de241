#!/usr/bin/env bash
# Checks the project's own C++ code (src/, testbed/, tools/, tests/, bench/;
# not third_party/ or toolchain/msvc/, which keep their upstream style):
#   - its format, as clang-format writes it with .clang-format;
#   - how it includes (scripts/check_includes.py);
#   - clang-tidy's checks of .clang-tidy;
#   - includes that nothing uses, and stream headers a file uses without
#     including them, as include-what-you-use finds them (known wrong
#     answers in scripts/iwyu.imp).
# clang-tidy and include-what-you-use read the compile commands of a Linux
# build tree, which must be built. Any finding fails.
#
# Usage: scripts/lint.sh [BUILD_DIR]   checks (BUILD_DIR: default build)
#        scripts/lint.sh --fast        checks the format and the includes only
#        scripts/lint.sh --fix         formats every file in place, checks nothing
set -euo pipefail
cd "$(dirname "$0")/.."

# Our C++ files, new ones not yet added included.
sources() {
  git ls-files --cached --others --exclude-standard -- src testbed tools tests bench |
    grep -E '\.(h|cpp)$' | sort -u
}

scripts/install-deps.sh
if [[ ${1:-} == --fix ]]; then
  sources | xargs clang-format -i
  exit 0
fi

failed=()

echo "lint: format" >&2
sources | xargs clang-format --dry-run -Werror || failed+=(format)

echo "lint: includes" >&2
python3 scripts/check_includes.py || failed+=(includes)

if [[ ${1:-} == --fast ]]; then
  if ((${#failed[@]} > 0)); then
    echo "lint failed: ${failed[*]}" >&2
    exit 1
  fi
  echo "lint: format and includes clean" >&2
  exit 0
fi
build=${1:-build}

# The build's compile commands for our sources, without the GCC-only flag
# the clang-based tools refuse.
lint_dir=$build/lint
mkdir -p "$lint_dir"
python3 - "$build/compile_commands.json" "$lint_dir/compile_commands.json" <<'PY'
import json, os, sys
top = os.getcwd() + "/"
ours = tuple(top + tree + "/" for tree in ("src", "testbed", "tools", "tests", "bench"))
commands = [dict(entry, command=entry["command"].replace(" -fno-gnu-unique", ""))
            for entry in json.load(open(sys.argv[1])) if entry["file"].startswith(ours)]
json.dump(commands, open(sys.argv[2], "w"), indent=1)
PY

echo "lint: clang-tidy" >&2
run-clang-tidy -p "$lint_dir" -j2 -quiet >"$lint_dir/clang-tidy.txt" 2>&1 || failed+=(clang-tidy)
grep -E '(warning|error): ' "$lint_dir/clang-tidy.txt" | sort -u || true

echo "lint: include-what-you-use" >&2
iwyu_tool -p "$lint_dir" -j2 -- -Xiwyu --mapping_file="$PWD/scripts/iwyu.imp" \
  -Xiwyu --no_fwd_decls >"$lint_dir/iwyu.txt" 2>&1 || true
# What it would remove counts. Of what it would add, only the stream
# headers: libstdc++ brings them in with others, Microsoft's STL does not,
# so a file that leaves one out builds here and fails in the Windows build.
# The rest it would add is often a library's internal header, and a forward
# declaration it would swap in is a choice.
iwyu_findings=$(awk -v top="$PWD/" '
  / should remove these lines:$/ { file = $1; sub(top, "", file); removing = 1; next }
  / should add these lines:$/ { file = $1; sub(top, "", file); adding = 1; next }
  /^$/ { removing = 0; adding = 0 }
  removing && /^- / { sub(/^- /, ""); print file ": unused " $0 }
  adding && /^#include <(sstream|fstream|istream|ostream|iostream)>/ { print file ": missing " $1 " " $2 }
' "$lint_dir/iwyu.txt" | grep -E '^(src|testbed|tools|tests|bench)/' || true)
if [[ -n $iwyu_findings ]]; then
  echo "$iwyu_findings"
  failed+=(include-what-you-use)
fi
if grep -q 'fatal error' "$lint_dir/iwyu.txt"; then
  grep 'fatal error' "$lint_dir/iwyu.txt"
  failed+=(include-what-you-use)
fi

if ((${#failed[@]} > 0)); then
  echo "lint failed: ${failed[*]}" >&2
  exit 1
fi
echo "lint: no findings" >&2
