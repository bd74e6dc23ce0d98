# Sourced by the scripts whose steps need a tool the machine may lack (wine, Xvfb).
# need_tools STEP TOOL...: true when every TOOL is on PATH. Otherwise it prints that STEP is
# skipped and why, and is false; under CI (CI=true), which must run every step, it ends the
# script with a failure naming the tool instead.
need_tools() {
  local step=$1 tool
  shift
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 && continue
    if [ "${CI:-}" = true ]; then
      echo "$step: $tool is not on PATH, and CI needs it" >&2
      exit 1
    fi
    echo "$step: skipped: $tool is not on PATH"
    return 1
  done
}
