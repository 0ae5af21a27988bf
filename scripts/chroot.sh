# shellcheck shell=bash
# Sourced by the scripts that build or check the package in a fresh minimal Debian system, run as
# root from the source root. debootstrap makes the minimal system of a release once a day and it is
# kept as a tarball under build/chroot; every use unpacks a fresh copy, so that no run sees what
# an earlier one left.

chroot_cache=$PWD/build/chroot

# Sets $mirror and $security_mirror to the Debian archive and its security archive as apt here
# knows them, or to Debian's own where apt names neither (a system that is not Debian).
chroot_mirrors() {
    mirror=$(apt-get indextargets --format '$(SITE)' 'Origin: Debian' 'Label: Debian' 2>/dev/null |
        head -1)
    security_mirror=$(apt-get indextargets --format '$(SITE)' 'Label: Debian-Security' \
        2>/dev/null | head -1)
    : "${mirror:=http://deb.debian.org/debian}"
    : "${security_mirror:=http://deb.debian.org/debian-security}"
}

# Sets $base to the tarball of today's minimal system of release $1 (bookworm, trixie), making it
# first if there is none yet; an older day's is removed then, with whatever was made from it.
chroot_base() {
    local release=$1 bootstrap
    base=$chroot_cache/$release-minbase-$(date -u +%Y%m%d).tar
    if [ ! -f "$base" ]; then
        chroot_mirrors
        stage "debootstrap: a minimal Debian $release from $mirror (once a day, in build/chroot)"
        mkdir -p "$chroot_cache"
        bootstrap=$chroot_cache/$release-bootstrap
        chroot_remove "$bootstrap"
        debootstrap --variant=minbase "$release" "$bootstrap" "$mirror" \
            >"$chroot_cache/debootstrap.log" 2>&1 ||
            { tail -20 "$chroot_cache/debootstrap.log" >&2; chroot_remove "$bootstrap"; return 1; }
        # The suites a Debian system has, so that versioned dependencies on updated libraries can
        # be met.
        cat >"$bootstrap/etc/apt/sources.list" <<EOF
deb $mirror $release main
deb $mirror $release-updates main
deb $security_mirror $release-security main
EOF
        rm -f "$chroot_cache/$release"-*.tar
        chroot_save "$bootstrap" "$base"
        chroot_remove "$bootstrap"
    fi
}

# Keeps the system at $1 as tarball $2. The POSIX format keeps times to the nanosecond:
# fontconfig's caches record their folders' times so, and with whole seconds every program would
# find them stale and write caches of its own.
chroot_save() {
    tar --format=posix -C "$1" -cf "$2.part" . && mv "$2.part" "$2"
}

# Unpacks tarball $1 into a new folder $2 and mounts what programs expect: /proc, and a /dev of
# its own with only the usual devices (not the host's disks), a pty instance and /dev/shm.
chroot_open() {
    local base=$1 root=$2 node
    chroot_remove "$root"
    mkdir -p "$root"
    tar -C "$root" -xf "$base"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    printf '127.0.0.1 localhost\n::1 localhost ip6-localhost ip6-loopback\n' >"$root/etc/hosts"
    mount -t proc proc "$root/proc"
    mount -t tmpfs -o mode=0755,size=1m,nosuid tmpfs "$root/dev"
    for node in null zero full random urandom tty; do
        touch "$root/dev/$node"
        mount --bind "/dev/$node" "$root/dev/$node"
    done
    mkdir "$root/dev/pts" "$root/dev/shm"
    mount -t devpts -o newinstance,ptmxmode=0666,mode=0620 devpts "$root/dev/pts"
    ln -s pts/ptmx "$root/dev/ptmx"
    mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$root/dev/shm"
    ln -s /proc/self/fd "$root/dev/fd"
    ln -s /proc/self/fd/0 "$root/dev/stdin"
    ln -s /proc/self/fd/1 "$root/dev/stdout"
    ln -s /proc/self/fd/2 "$root/dev/stderr"
}

# Unmounts everything under folder $1, the deepest first.
chroot_unmount() {
    local root target
    root=$(realpath -m "$1")
    for target in $(findmnt -rn -o TARGET | sort -r); do
        [[ $target == "$root"/* ]] && umount -l "$target"
    done
    return 0
}

# Unmounts and deletes folder $1; refuses to delete while anything is still mounted there, so that
# a failed unmount can never delete the host's devices through a mount.
chroot_remove() {
    local root
    root=$(realpath -m "$1")
    [ -e "$root" ] || return 0
    chroot_unmount "$root"
    if findmnt -rn -o TARGET | grep -q "^$root/"; then
        echo "chroot.sh: still mounted under $root; not deleting it" >&2
        return 1
    fi
    rm -rf "$root"
}

# Runs shell command $2 as root inside the system at $1, with an empty environment besides the
# variables given after it (NAME=value).
chroot_run() {
    local root=$1 command=$2
    shift 2
    env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive "$@" chroot "$root" /bin/sh -ec "$command"
}
