# Set-up and everyday commands.
#   make example   set everything up on a fresh machine and run the examples
#   make test      set everything up on a fresh machine and run the tests
#   make dev       incremental CMake build in $(BUILD) for development
#   make devtest   run the tests against the $(BUILD) tree
#   make sanitize  run the tests under AddressSanitizer and UBSan
#   make bench     run the benchmarks

PYTHON ?= python3
VENV   ?= .venv
BUILD  ?= build
PY      = $(VENV)/bin/python
# python3-venv and python3-dev let Debian's own python3 create the environment
# and build the module when it is the python3 on the path.
SYSPKG  = liblapack-dev libblas-dev g++ cmake ninja-build python3-venv python3-dev

.PHONY: example test sysdeps venv install dev devtest sanitize bench clean

sysdeps:
	@if [ "$$(id -u)" = 0 ] && command -v apt-get >/dev/null; then \
	  missing=""; for p in $(SYSPKG); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	  if [ -n "$$missing" ]; then \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	  fi; \
	fi

$(PY):
	$(PYTHON) -m venv $(VENV)
	$(PY) -m pip install -q --upgrade pip

# The development tools run with the project's environment, whatever python3
# comes first on the path (a system Python may lack NumPy's headers).
# The build requirements live in the environment too: the module is built
# without pip's isolation, in a build directory that persists, so a second
# command rebuilds only what changed.
$(VENV)/.tools: Makefile | $(PY)
	$(PY) -m pip install -q numpy scipy pytest scikit-build-core
	touch $@

# The failure-envelope example draws its figure with matplotlib.
$(VENV)/.plot: | $(VENV)/.tools
	$(PY) -m pip install -q matplotlib
	touch $@

venv: $(VENV)/.tools

# The installed module carries the binding engine's own test rows (component
# enginetest) so that the suite exercises them; a plain `pip install .` leaves
# them out.
install: sysdeps venv
	$(PY) -m pip install -q --no-build-isolation -C build-dir=$(BUILD)/pip \
	  -C cmake.define.VX_ENGINE_TESTS=ON .

example: install $(VENV)/.plot
	$(PY) examples/ply_and_tables.py
	$(PY) examples/cards_and_plies.py
	$(PY) examples/failure_per_ply.py
	$(PY) examples/damage_and_model.py
	$(PY) examples/failure_envelopes.py $(BUILD)/failure_envelopes.png

test: install
	cd tests && ../$(PY) -m pytest -q -p no:cacheprovider .

dev: sysdeps venv
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$${BUILD_TYPE:-Release} -DVX_ENGINE_TESTS=ON -DPython_EXECUTABLE=$(abspath $(PY)) >/dev/null
	cmake --build $(BUILD)

devtest: dev
	cd tests && PYTHONPATH=$(abspath $(BUILD)) $(abspath $(PY)) -m pytest -q -p no:cacheprovider $(T)

sanitize: sysdeps venv
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVX_SANITIZE=ON -DVX_ENGINE_TESTS=ON -DPython_EXECUTABLE=$(abspath $(PY)) >/dev/null
	cmake --build build-asan
	cd tests && PYTHONPATH=../build-asan ASAN_OPTIONS=detect_leaks=0 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  LD_PRELOAD="$$(gcc -print-file-name=libasan.so) $$(gcc -print-file-name=libubsan.so)" \
	  $(abspath $(PY)) -m pytest -q -p no:cacheprovider $(T)

bench: dev
	PYTHONPATH=$(BUILD) $(PY) bench/run.py

clean:
	rm -rf build build-* $(VENV)
