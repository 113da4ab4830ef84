# Installs the Debian packages the editor needs, and any named as arguments, only those that
# are missing. Sourced by scripts/run, scripts/test, scripts/bench and scripts/fuzz.
dracfg_install_deps() {
    local packages=(cmake g++ make qt6-base-dev qt6-svg-dev libqt6sql6-sqlite qt6-qpa-plugins
                    libgl-dev ccache "$@")
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
