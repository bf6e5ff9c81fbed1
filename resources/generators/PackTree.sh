#!/bin/sh
# PackTree.sh XVFB_RUN TOOL TREE LOG
# Builds TREE/resources.7z the way the engine lists what it reads: TOOL (the demosys tool) loads
# the demo in TREE on a virtual screen without sound, writes its packing script and runs it. The
# tool's console lines go to LOG; when a step fails, the build fails showing the loader's message
# (or the end of the log).
set -u
xvfb_run=$1 tool=$2 tree=$3 log=$4

fail() {
  grep -A 30 "failed to load" "$log" || tail -n 30 "$log"
  echo "PackTree: $1 (full output in $log)"
  exit 1
}

export SDL_AUDIODRIVER=dummy SDL12COMPAT_OPENGL_SCALING=0
"$xvfb_run" -a -s "-screen 0 1280x720x24" "$tool" pack script --root "$tree" --out packresources.sh >"$log" 2>&1 ||
  fail "the demo in $tree did not load"
"$tool" pack build --root "$tree" --out packresources.sh >>"$log" 2>&1 || fail "packing $tree failed"
