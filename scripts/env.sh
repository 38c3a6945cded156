# Sourced by the scripts that start WebEngine programs.
# WebEngine's sandbox cannot run as root (as in CI and containers).
if [ "$(id -u)" -eq 0 ]; then
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
fi
# The build directory of a Qt major: build/ for Qt 5, build-qt6/ for Qt 6.
kz_build_dir() {
    if [ "$1" = 5 ]; then echo build; else echo "build-qt$1"; fi
}
