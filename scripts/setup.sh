# Sourced by run.sh and test.sh: installs from Debian whatever the build and the tests need and
# is not there yet. Quick when everything is present: one dpkg query, no apt-get at all.

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libgtest-dev
    fonts-ipafont-gothic fonts-liberation
    locales
    xvfb xauth xdotool x11-utils imagemagick
    at-spi2-core python3-pyatspi dbus-daemon
    orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng openbox
    desktop-file-utils appstream dpkg-dev file
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo -n "$@"
    fi
}

# What the browser page adds: its compiler, node for its tools and tests, and the browser the tests
# drive headless (never one that a test tool downloads).
web_packages=(emscripten nodejs chromium fonts-ipafont-gothic fonts-liberation)

missing_packages() {
    local status
    for package in "$@"; do
        status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
        [ "$status" = "installed" ] || echo "$package"
    done
}

install_missing() {
    local missing
    mapfile -t missing < <(missing_packages "$@")
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        as_root apt-get update -qq
        as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
}

ensure_packages() {
    install_missing "${packages[@]}"
    # A comma-decimal locale for the locale test.
    if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        as_root sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
        as_root locale-gen >/dev/null
    fi
}

build_preset() {
    local preset=$1
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
}

ensure_web_packages() {
    install_missing "${web_packages[@]}"
    # Debian's npm, unless the installed node brings its own.
    command -v npm >/dev/null || install_missing npm
}

# What the browser tests add: the second and third engine the scenario files run in (Firefox ESR;
# WebKitGTK, the engine nearest to an iPad's Safari, with its WebDriver, the selenium client that
# drives it, and an X server for it).
web_test_packages=(firefox-esr webkit2gtk-driver python3-selenium xvfb xauth)

# The browser tests' engines from Debian, and their one module, puppeteer-core, exactly as
# web/package-lock.json pins it.
ensure_web_test_modules() {
    install_missing "${web_test_packages[@]}"
    local wanted installed
    wanted=$(node -e 'console.log(require("./web/package-lock.json").packages["node_modules/puppeteer-core"].version)')
    installed=$(node -e 'try { console.log(require("./web/node_modules/puppeteer-core/package.json").version) } catch { console.log("") }')
    if [ "$wanted" != "$installed" ]; then
        (cd web && npm ci --no-audit --no-fund --ignore-scripts --loglevel=error)
    fi
}
