# The two set-up commands: `make run` and `make test`. Both install missing packages first.
.PHONY: run test test-windows deps build-release build-asan format

deps:
	./scripts/install-deps.sh

build-release: deps
	cmake --preset release
	cmake --build --preset release

build-asan: deps
	cmake --preset asan
	cmake --build --preset asan

run: build-release
	./build/release/bin/KorventPDF

# The Windows build under Wine. Its libraries are built from source once (about 6 minutes on
# two cores) and cached in ~/.cache/korvent-mingw; the build and the tests take about 5 more.
test-windows: deps
	./scripts/build-mingw-deps.sh
	cmake --preset mingw
	cmake --build --preset mingw
	ctest --preset mingw

# The Windows part joins wherever Wine is installed (install-deps.sh installs it);
# KORVENT_WINDOWS=0 leaves it out.
test: build-asan
	ctest --preset asan
	@if [ "$${KORVENT_WINDOWS:-1}" != 0 ] && command -v wine >/dev/null; then \
		$(MAKE) test-windows; fi

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
