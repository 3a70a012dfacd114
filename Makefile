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

# The Windows build under Wine. Its libraries are built from source once (about 20 minutes on
# two cores) and cached in ~/.cache/korvent-mingw; with them cached it takes a few minutes.
test-windows: deps
	./scripts/build-mingw-deps.sh
	cmake --preset mingw
	cmake --build --preset mingw
	ctest --preset mingw

# The Windows part joins when its libraries are cached, or when KORVENT_WINDOWS=1 asks for it.
test: build-asan
	ctest --preset asan
	@if [ -n "$$KORVENT_WINDOWS" ] || ./scripts/build-mingw-deps.sh --cached; then \
		$(MAKE) test-windows; fi

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
