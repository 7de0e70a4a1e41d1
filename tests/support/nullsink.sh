# Sourced by test scripts: start_null_sink DIR starts a private PulseAudio server in DIR whose
# only output is a null sink and exports PULSE_SERVER for the programs under test;
# stop_null_sink ends it. Nothing is heard and no sound device is needed.
start_null_sink() {
  local dir=$1
  mkdir -p "$dir/runtime" "$dir/home"
  export PULSE_RUNTIME_PATH=$dir/runtime PULSE_STATE_PATH=$dir/runtime
  # With --daemonize the call returns once the server is ready: no wait on a socket needed.
  HOME=$dir/home pulseaudio -n --daemonize=yes --use-pid-file=yes --exit-idle-time=-1 \
    --disallow-exit --disable-shm=yes --log-target="file:$dir/pulseaudio.log" \
    --load="module-null-sink sink_name=silent" \
    --load="module-native-protocol-unix socket=$dir/native auth-anonymous=1"
  export PULSE_SERVER=unix:$dir/native
}
# Waits until the server has gone, so that it writes no more files into DIR while DIR is
# removed; bounded, so that a server that hangs cannot hold a test up.
stop_null_sink() {
  local pid
  pid=$(cat "$PULSE_RUNTIME_PATH/pid" 2>/dev/null) || pid=
  pulseaudio --kill 2>/dev/null || true
  if [ -n "$pid" ]; then
    for _ in $(seq 100); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
  fi
}
