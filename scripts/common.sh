# Sourced by the scripts. A stage prints one line, on stderr, so that a script's last line of
# output can be its result.
stage() { echo "== $*" >&2; }

# Prints the calling script's usage line, from the arguments it takes, and ends it with status 2.
usage() {
    echo "usage: bash scripts/${0##*/}${*:+ $*}" >&2
    exit 2
}

# The one option parser of the scripts: `flags quick build-only -- "$@"` accepts --quick and
# --build-only and sets $quick and $build_only to true or false; anything else ends the script
# with its usage line on stderr, and -h or --help prints that line on stdout.
flags() {
    local names=() line=() name arg known
    while [ "$1" != -- ]; do
        names+=("$1")
        line+=("[--$1]")
        declare -g "${1//-/_}=false"
        shift
    done
    shift
    for arg in "$@"; do
        if [ "$arg" = -h ] || [ "$arg" = --help ]; then
            echo "usage: bash scripts/${0##*/}${line[*]:+ ${line[*]}}"
            exit 0
        fi
        known=false
        for name in "${names[@]}"; do
            if [ "$arg" = "--$name" ]; then
                declare -g "${name//-/_}=true"
                known=true
            fi
        done
        $known || usage "${line[@]}"
    done
}

# Sets `launcher` to the CMake option that puts ccache in front of the compiler, where ccache is
# installed; call it after setup.sh, which may have just installed it. The presets cannot ask
# whether a program is installed, so the scripts add this to `cmake --preset NAME`.
use_ccache() {
    launcher=()
    if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
}
