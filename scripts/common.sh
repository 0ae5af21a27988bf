# Sourced by the scripts. A stage prints one line, on stderr, so that a script's last line of
# output can be its result. Each stage is timed; stage_times prints the table.
stage_rows=()
stage() {
    stage_done
    stage_name=$* stage_start=$SECONDS
    echo "== $*" >&2
}

# Ends the running stage's clock; $1 says how it ended (passed unless given).
stage_done() {
    [ -n "${stage_name-}" ] || return 0
    stage_rows+=("$(printf '%4d:%02d  %-7s %s' $(((SECONDS - stage_start) / 60)) \
        $(((SECONDS - stage_start) % 60)) "${1:-passed}" "$stage_name")")
    stage_name=
}

# Prints each stage's time and how it ended, then the whole time, on stderr.
stage_times() {
    printf '%s\n' "" "  time   result  stage" "${stage_rows[@]}" >&2
    printf '%4d:%02d  %-7s %s\n' $((SECONDS / 60)) $((SECONDS % 60)) "${1:-passed}" \
        "the whole, end to end" >&2
}

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

# Sets `launcher` to the CMake option that puts ccache in front of the compiler (g++, the fuzz
# preset's clang++ and em++ alike), where ccache is installed; call it after setup.sh, which may
# have just installed it. The presets cannot ask whether a program is installed, so the scripts
# add this to `cmake --preset NAME`. Paths under the source root are hashed relative to it, and
# the build folder is left out of the debug information's hash, so that a clone in another folder
# takes the objects another clone compiled.
use_ccache() {
    launcher=()
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true
    fi
}
