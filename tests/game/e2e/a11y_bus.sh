# A session (session.sh) with an accessibility bus of its own: a session bus and at-spi2-core's
# bus launcher behind it, as a desktop starts them, ended with the session. Skips (77) when a
# part is not installed or does not start. The caller sets `build` and `here` first.

# shellcheck source=screen.sh
. "$here/e2e/screen.sh"
# shellcheck source=session.sh
. "$here/e2e/session.sh"

launcher=/usr/libexec/at-spi-bus-launcher
atspi_python=/usr/bin/python3
command -v dbus-daemon >/dev/null || skip "dbus-daemon is not installed"
[ -x "$launcher" ] || skip "at-spi2-core is not installed (no $launcher)"
$atspi_python -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
  skip "the AT-SPI typelib for $atspi_python is not installed (python3-pyatspi)"

bus_pid='' launcher_pid=''
end_bus() {
  local pid
  for pid in "$launcher_pid" "$bus_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
}
# session_cleanup reads the exit status from $?; errexit is off first, or the status itself
# would end the trap before the session is cleaned up.
trap 'rc=$?; set +e; end_bus; (exit $rc); session_cleanup' EXIT

bus_ready() {
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1
}

start_a11y_bus() {
  local address
  address=$(dbus-daemon --session --fork --nopidfile --print-address=1 --print-pid=1 | tr '\n' ' ')
  read -r DBUS_SESSION_BUS_ADDRESS bus_pid <<<"$address"
  export DBUS_SESSION_BUS_ADDRESS
  [ -n "$bus_pid" ] || skip "dbus-daemon does not start a session bus"
  "$launcher" --launch-immediately >"$work/at-spi.log" 2>&1 &
  launcher_pid=$!
  for _ in $(seq 50); do bus_ready && break; sleep 0.1; done
  bus_ready || skip "the accessibility bus does not start ($(tail -n 1 "$work/at-spi.log"))"
  # The program reads its tree out to whoever asks, as under a running screen reader.
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}
