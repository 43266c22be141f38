# Sourced: starts a private Xvfb on a free display and exports DISPLAY, and
# TAVRIN_PRIVATE_DISPLAY with the same value (tests/wine/boot-prefix.sh then
# lets Wine place windows without a window manager). The caller's EXIT trap
# should run stop_xvfb. An argument sets the screen (1280x1024x24 without).
# -noreset: with no window manager or session holding a connection, Xvfb
# resets each time its last client leaves (a Wine desktop closing, every
# xdotool call); a program connecting meanwhile is dropped, and a Wine desktop
# started that way has no display driver for any program started on it.
start_xvfb() {
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${1:-1280x1024x24}" -nolisten tcp -noreset >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
    done
    export DISPLAY=":$n" TAVRIN_PRIVATE_DISPLAY=":$n"
}

stop_xvfb() {
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}
