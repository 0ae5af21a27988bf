# Sourced by a test that starts desktop services, before it starts any. The test becomes the
# subreaper of all it starts: a daemon that detaches (a speech server, a bus's activated service)
# and the children of a killed xvfb-run come back to it, not to a first process that may reap
# nothing, and stay in the process tree that CTest kills on a timeout. end_started ends them and
# reaps them; it runs on exit, which bash reaches also when TERM, INT or HUP ends it. A script with
# an EXIT trap of its own calls end_started from it.
#   source "$here/subreaper.sh"      (the script starts again at once, under python3's prctl)
if [ "${VELMORA_SUBREAPER-}" != $$ ] && command -v python3 >/dev/null; then
    export VELMORA_SUBREAPER=$$
    # PR_SET_CHILD_SUBREAPER (36) outlives exec, and bash reaps whatever child it is given.
    exec python3 -c 'import ctypes, os, sys
if ctypes.CDLL(None, use_errno=True).prctl(36, 1, 0, 0, 0):
    print("subreaper.sh:", os.strerror(ctypes.get_errno()), file=sys.stderr)
os.execvp("bash", ["bash"] + sys.argv[1:])' "$0" "$@"
fi

# The processes below this shell, less the command substitution that asks and its own; zombies
# too with the argument "zombies".
descendants() {
    local asking=$BASHPID # in a pipeline, each command has its own
    ps -e -o pid= -o ppid= -o stat= | awk -v root=$$ -v asking="$asking" -v all="${1-}" '
        { parent[$1] = $2; state[$1] = $3 }
        END {
            for (p in parent) {
                q = p
                while (q != root && q != asking && q in parent)
                    q = parent[q]
                if (q == root && p != root && (all == "zombies" || state[p] !~ /^Z/))
                    print p
            }
        }'
}

end_started() {
    local pids
    pids=$(descendants)
    if [ -n "$pids" ]; then
        kill $pids 2>/dev/null || true
        # What ignores TERM (Orca in its main loop) gets KILL after two seconds.
        for _ in $(seq 20); do
            sleep 0.1
            pids=$(descendants)
            [ -n "$pids" ] || break
        done
        [ -z "$pids" ] || kill -KILL $pids 2>/dev/null || true
    fi
    wait 2>/dev/null || true
    # The orphans that came back to this shell are reaped as it runs the next command.
    for _ in $(seq 10); do
        [ -n "$(descendants zombies)" ] || break
        sleep 0.1
    done
}
trap end_started EXIT
