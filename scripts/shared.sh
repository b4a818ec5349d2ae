# Sourced, not run: what the commands and the end-to-end tests share, without the test library
# (scripts/wine_desk.sh and scripts/xss.sh source this too).

# The settings key, as the registry names it: `wine reg` and .reg files both take this form.
KEY='HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Vellumway Screen Saver'

# start_x SERVER ARGS...: an X server (Xvfb, or Xephyr nested in one) on a display number it
# picks itself, which is safe with tests side by side; returns once it accepts clients, with
# DISPLAY set to it and its pid in X_PID.
start_x() {
  local fifo n; fifo=$(mktemp -u /tmp/vw-x.XXXXXX); mkfifo "$fifo"
  "$@" -displayfd 3 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  X_PID=$!
  read -r -t 20 n <"$fifo"; rm -f "$fifo"
  export DISPLAY=":$n"
}

# cpu_ticks PID: the CPU ticks (user + system) of a process so far, 0 once it is gone.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
