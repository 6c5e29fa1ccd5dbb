# Shared set-up of scripts/run and scripts/test: installs the Debian packages the build, the
# tests and the program need, when any is missing. Sourced, not run.

TORVANE_PACKAGES=(
    cmake ninja-build g++ pkg-config python3
    clang libclang-rt-14-dev clang-format clang-tidy
    qt6-base-dev qt6-base-private-dev qt6-multimedia-dev qt6-tools-dev qt6-l10n-tools libqt6svg6
    qt6-translations-l10n
    libgtest-dev libbenchmark-dev libcli11-dev help2man dpkg-dev file
    libgstreamer-plugins-base1.0-dev
    # what the program needs at run time, as its package depends on (CMakeLists.txt)
    fonts-noto-cjk gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-ugly
    gstreamer1.0-libav
    dbus xvfb xauth xdotool imagemagick
    libxml2-utils python3-gi gir1.2-totemplparser-1.0
)

torvane_missing_packages() {
    local missing=()
    for package in "${TORVANE_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    echo "${missing[@]}"
}

torvane_install_packages() {
    local missing
    missing=$(torvane_missing_packages)
    [ -z "$missing" ] && return 0
    echo "Installing: $missing"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
}

# Paths under the checkout are hashed relative to it, so checkouts in other folders share hits.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$TORVANE_ROOT}"

# torvane_configured_with DIR CMAKE_ARGS...: whether the cache of DIR already holds the value of
# every -DNAME=VALUE (or -DNAME:TYPE=VALUE) among CMAKE_ARGS.
torvane_configured_with() {
    local cache=$1/CMakeCache.txt arg name value
    shift
    [ -f "$cache" ] || return 1
    for arg in "$@"; do
        [[ "$arg" == -D*=* ]] || continue
        name=${arg#-D}
        value=${name#*=}
        name=${name%%=*}
        name=${name%%:*}
        # a cache line is NAME:TYPE=VALUE
        awk -v name="$name" -v value="$value" '
            index($0, name ":") == 1 && substr($0, index($0, "=") + 1) == value { found = 1 }
            END { exit !found }' "$cache" || return 1
    done
}

# torvane_build DIR BUILD_TYPE [CMAKE_ARGS...] [-- BUILD_ARGS...]: configures once, and again
# when CMAKE_ARGS ask for a value the build folder does not have yet (an option added since it
# was made), then builds what changed (BUILD_ARGS such as "--target NAME" go to the build).
torvane_build() {
    local dir=$1 type=$2
    shift 2
    local configure=() build=()
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do
        configure+=("$1")
        shift
    done
    [ $# -gt 0 ] && shift && build=("$@")
    if [ ! -f "$dir/build.ninja" ] ||
        ! torvane_configured_with "$dir" -DCMAKE_BUILD_TYPE="$type" "${configure[@]}"; then
        local launcher=()
        # ccache, where present, makes rebuilds in fresh checkouts and work trees cheap.
        command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        cmake -S "$TORVANE_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "${launcher[@]}" \
            "${configure[@]}"
    fi
    cmake --build "$dir" "${build[@]}"
}
