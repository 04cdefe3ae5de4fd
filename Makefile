# Entry points for people. Everything else is CMake.
JOBS ?= $(shell nproc)
TAMANO ?=
PUERTO ?= 8080

.PHONY: setup build test test-rapido test-asan demo bench servir paquete fuzz formato mutantes clean

setup:
	@bash scripts/setup

build: setup
	cmake --preset default >/dev/null
	cmake --build --preset default -j $(JOBS)

test: build
	ctest --preset default -j $(JOBS)

# The suite without the slow tests (LibreOffice, scale, host build, waits).
test-rapido: build
	ctest --preset default -j $(JOBS) -LE lento

# Applies each mutation of scripts/mutantes in a scratch copy and reports how
# many the tests catch (MUTANTES="3 17" runs only those).
mutantes: setup
	@python3 scripts/mutantes $(MUTANTES)

test-asan: setup
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS) -LE mediana

demo: build
	@bash scripts/demo

servir: build
	@mkdir -p salida
	@[ -f salida/obra-ejemplo.db ] || build/promorlaqel ejemplo --salida salida/obra-ejemplo.db
	build/promorlaqel servir --bd salida/obra-ejemplo.db --puerto $(PUERTO)

bench: build
	@bash scripts/bench $(TAMANO)

# A Debian package (.deb in build-paquete/) of the program, the shared library,
# its headers, the CMake package and the pkg-config file.
paquete: setup
	cmake --preset paquete >/dev/null
	cmake --build --preset paquete -j $(JOBS)
	cd build-paquete && cpack -G DEB

# Each libFuzzer target for FUZZ_SEGUNDOS seconds (clang, ASan + UBSan).
FUZZ_SEGUNDOS ?= 60
fuzz: setup
	@bash scripts/fuzz $(FUZZ_SEGUNDOS)

formato:
	@bash scripts/formato

clean:
	rm -rf build build-asan build-release build-clang build-fuzz build-paquete salida
