#!/usr/bin/env bash
# Static analysis of our own code: clang-format, clang-tidy (.clang-tidy), cppcheck and shellcheck.
# Any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" clang-format clang-tidy cppcheck shellcheck

mapfile -t sources < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'fuzz/*.cpp' 'fuzz/*.h')

echo "clang-format"
clang-format --dry-run --Werror "${sources[@]}"

# The dev build's compile_commands.json; generated sources (moc, rcc) are not ours to lint.
cmake --preset dev >/dev/null
cmake --build --preset dev >/dev/null
echo "clang-tidy"
run-clang-tidy -p build/dev -quiet -j 2 "$PWD/(src|tests|bench)/.*\.cpp$" > build/dev/clang-tidy.log 2>&1 ||
    { grep -E 'warning:|error:' build/dev/clang-tidy.log || tail -20 build/dev/clang-tidy.log; exit 1; }

echo "cppcheck"
cppcheck --quiet --error-exitcode=1 --std=c++20 --language=c++ \
    --enable=warning,performance,portability --inline-suppr \
    --suppress=missingIncludeSystem --suppress=unknownMacro \
    -I src -I src/core -I src/controls \
    src bench fuzz

echo "shellcheck"
mapfile -t shell_scripts < <(git ls-files '*.sh' .ci/run)
shellcheck -x "${shell_scripts[@]}"
echo "lint: no findings"
