# Sourced by the shell tests: a scratch folder that goes away with the script, and the fake
# endpoint started over HTTPS in the background, with the environment that points the programs
# at it.

work=$(mktemp -d)
cleanup() {
  [ -n "${fake_pid:-}" ] && kill "$fake_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Arguments: the fake_endpoint program, the test certificate authority's certificate.
start_fake_endpoint() {
  "$1" --tls --ignore-stdin > "$work/port" &
  fake_pid=$!
  for _ in $(seq 1 100); do [ -s "$work/port" ] && break; sleep 0.1; done
  export ZORVANEL_SERVICE_URL="https://localhost:$(head -n 1 "$work/port")"
  export ZORVANEL_CA_FILE="$2"
}
