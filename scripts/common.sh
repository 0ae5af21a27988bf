# Sourced by the scripts. A stage prints one line, on stderr, so that a script's last line of
# output can be its result.
stage() { echo "== $*" >&2; }

# Sets `launcher` to the CMake option that puts ccache in front of the compiler, where ccache is
# installed; call it after setup.sh, which may have just installed it. The presets cannot ask
# whether a program is installed, so the scripts add this to `cmake --preset NAME`.
use_ccache() {
    launcher=()
    if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
}
