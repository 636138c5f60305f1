#!/usr/bin/env bash
# Static analysis of the portable code (the code that builds natively): clang-tidy with the
# checks in .clang-tidy, then cppcheck. Any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${LINT_BUILD_DIR:-build/native}
[ -f "$build/compile_commands.json" ] || { echo "lint: configure the native build first" >&2; exit 2; }
mapfile -t sources < <(ls app/*.cpp phonebook/*.cpp desktop/*.cpp standin/*.cpp 2>/dev/null | grep -v '/win32/' || true)
((${#sources[@]})) || { echo "lint: nothing to check" >&2; exit 2; }

echo "lint: clang-tidy over ${#sources[@]} files"
clang-tidy --quiet -p "$build" "${sources[@]}" >"$build/clang-tidy.log" 2>&1 || {
  grep -E 'warning:|error:' "$build/clang-tidy.log" | head -50
  exit 1
}

echo "lint: cppcheck"
cppcheck --quiet --error-exitcode=1 --std=c++20 --language=c++ --inline-suppr \
  --enable=warning,performance,portability --suppress=missingIncludeSystem \
  -I . -I "$build/generated" "${sources[@]}"
echo "lint: no findings"
