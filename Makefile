# The two set-up commands: `make demo` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps build test demo fuzz clean

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

demo: build
	bash scripts/demo.sh $(BUILD)

fuzz:
	@bash scripts/install-deps.sh fuzz
	cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DVESTA_FUZZ=ON -DVESTA_WITH_QT=OFF
	cmake --build build-fuzz -j $(JOBS)
	bash scripts/fuzz.sh build-fuzz

clean:
	rm -rf $(BUILD) build-fuzz
