# The two commands: `make run` and `make test`. Both install what is missing first.
.PHONY: all setup build build-native build-win32 build-win64 build-wine-twin run test lint \
        provider \
        reproducible fuzz bench clean

all: build

setup:
	@bash tools/setup.sh

build-native: setup
	@cmake --preset native >build-native-configure.log 2>&1 || { cat build-native-configure.log; exit 1; }
	@rm -f build-native-configure.log
	@cmake --build --preset native

build-win32: setup
	@cmake --preset win32 >build-win32-configure.log 2>&1 || { cat build-win32-configure.log; exit 1; }
	@rm -f build-win32-configure.log
	@cmake --build --preset win32

build-win64: setup
	@cmake --preset win64 >build-win64-configure.log 2>&1 || { cat build-win64-configure.log; exit 1; }
	@rm -f build-win64-configure.log
	@cmake --build --preset win64

# The 64-bit twin is built where the Wine suites need it: where 32-bit Wine does not start.
build-wine-twin: setup
	@case "$$(bash tools/wine-arch.sh)" in win32:*) ;; *) $(MAKE) --no-print-directory build-win64 ;; esac

build: build-native build-win32 build-wine-twin

# Builds the program and starts it under Wine (see docs/program.md).
run: build-win32
	@bash tools/run.sh

# A provider's program and its check in dist/<NAME>/, with a screenshot of its window
# (see docs/provider.md):
#   make provider NAME=... SERVER=... SITE=... [LOGO=...] [COMPANY=...] [BACKGROUND=...]
#                 [TUNNEL=sstp | TUNNEL=l2tp-psk PSK_FILE=...]
provider: setup
	@bash tools/provider.sh

# Builds both targets and runs every test: natively, then under Wine.
test: build
	@echo "== native tests =="
	@ctest --preset native
	@cat build/native/click-failures.txt
	@echo "== static analysis =="
	@bash tools/lint.sh
	@echo "== the 32-bit program file =="
	@ctest --preset win32 -L program-file
	@line=$$(bash tools/wine-arch.sh) && labels=$$(bash tools/wine-arch.sh --labels) && \
	  echo "== Windows tests under Wine on $$line ==" && \
	  ctest --preset "$${line%%:*}" -L "$$labels"

# clang-tidy and cppcheck over the portable code, clang-tidy over the Windows code; any
# finding fails.
lint: build-native build-win32
	@bash tools/lint.sh

# Two clean builds of the committed state must give the same program file.
reproducible: setup
	@bash tools/check-reproducible.sh

# libFuzzer over the enumeration walk, the entry image and the stand-in's phonebook parser.
fuzz: setup
	@bash tools/fuzz.sh

# Speed and size against their budgets, in one table (see docs/tests.md).
bench: setup
	@bash tools/bench.sh

clean:
	rm -rf build
