#!/usr/bin/env bash
# Static analysis: the portable code (the code that builds natively) with clang-tidy (the
# checks in .clang-tidy) and cppcheck; the Windows code (platform/win32, app/win32,
# standin/win32, check/win32 and its probes) with clang-tidy for the i686 MinGW target, with the win32 build's compile
# commands and the cross compiler's own headers. Any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${LINT_BUILD_DIR:-build/native}
windows_build=${LINT_WINDOWS_BUILD_DIR:-build/win32}
[ -f "$build/compile_commands.json" ] || { echo "lint: configure the native build first" >&2; exit 2; }
mapfile -t sources < <(ls app/*.cpp phonebook/*.cpp desktop/*.cpp standin/*.cpp check/*.cpp 2>/dev/null | grep -v '/win32/' || true)
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
[ -f "$windows_build/compile_commands.json" ] ||
  { echo "lint: configure the win32 build first" >&2; exit 2; }
mapfile -t windows_sources < <(ls platform/win32/*.cpp app/win32/*.cpp standin/win32/*.cpp check/win32/*.cpp check/probes/*.cpp)
# clang as the MinGW cross compiler: its target, and the include folders g++ searches.
tidy_args=(--extra-arg=--target=i686-w64-mingw32 --extra-arg=-nostdinc)
while read -r folder; do
  tidy_args+=("--extra-arg=-isystem$(realpath "$folder")")
done < <(i686-w64-mingw32-g++-win32 -E -x c++ -v - </dev/null 2>&1 |
         sed -n '/#include <...> search starts here:/,/End of search list./{//!p}')
echo "lint: clang-tidy over ${#windows_sources[@]} Windows files"
printf '%s\n' "${windows_sources[@]}" |
  xargs -P2 -n4 clang-tidy --quiet -p "$windows_build" "${tidy_args[@]}" \
    >"$windows_build/clang-tidy.log" 2>&1 || {
  grep -E 'warning:|error:' "$windows_build/clang-tidy.log" | sort -u | head -50
  exit 1
}
echo "lint: no findings"
