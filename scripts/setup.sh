# Sourced by scripts/run and scripts/test: installs the Debian packages the build needs (when
# missing) and provides tovrik_configure_build DIR [cmake args...].

TOVRIK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

TOVRIK_PACKAGES=(
    build-essential cmake pkg-config ccache
    qt6-base-dev qt6-serialport-dev qt6-declarative-dev
    # Only the real-time plot benchmark: the former engine as its baseline, and the other
    # library engine it was weighed against.
    qt6-charts-dev libqcustomplot-dev
    qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-qpa-plugins libgl-dev
    libudev-dev libbenchmark-dev
    qt6-svg-dev # the real-time plot saves SVG pictures
    qt6-translations-l10n # Qt's own texts in German, loaded by the program and its tests
    clang-14 libclang-rt-14-dev
    clang-format # the house rules check the formatting of changed files
    xvfb xauth imagemagick
    # Installation checks: desktop entry, AppStream and MIME validators, PNG sizes, manual pages.
    desktop-file-utils appstream shared-mime-info file groff-base
    # scripts/package: dpkg-shlibdeps for the Depends line and lintian on the result.
    dpkg-dev lintian
)

tovrik_install_packages() {
    local missing=()
    local p
    for p in "${TOVRIK_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# tovrik_configure_build DIR [cmake args...]: configure DIR and build everything in it.
tovrik_configure_build() {
    local dir="$1"
    shift
    cmake -S "$TOVRIK_ROOT" -B "$dir" "$@"
    cmake --build "$dir" -j"$(nproc)"
}
