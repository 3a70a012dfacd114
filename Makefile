# The two set-up commands: `make run` and `make test`. Both install missing packages first.
.PHONY: run test deps build-release build-asan format

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

test: build-asan
	ctest --preset asan

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
