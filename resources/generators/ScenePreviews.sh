#!/bin/sh
# ScenePreviews.sh XVFB_RUN TOOL OBJECTS OUT
# Renders every scene file in OBJECTS through each of its cameras at 0 and 10 seconds with TOOL
# (the demosys tool) on a virtual screen, into OUT as SCENE_CAMERA_MS.png, and one contact
# sheet per scene (SCENE.png) when ImageMagick's montage is installed.
set -eu
xvfb_run=$1 tool=$2 objects=$3 out=$4
mkdir -p "$out"
export SDL12COMPAT_OPENGL_SCALING=0
for file in "$objects"/*.scn; do
  scene=$(basename "$file" .scn)
  cameras=$("$tool" scene info "$file" | sed -n "s/^  camera [0-9]* '\([^']*\)'.*/\1/p")
  for camera in $cameras; do
    for ms in 0 10000; do
      "$xvfb_run" -a -s "-screen 0 1280x720x24" "$tool" scene render "$file" --camera "$camera" --at "$ms" \
        --size 640x360 --instanced --out "$out/${scene}_${camera}_$ms.png"
    done
  done
  if command -v montage >/dev/null; then
    montage -font DejaVu-Sans -label '%t' -pointsize 11 -tile 6x -geometry 400x225+2+2 \
      "$out/${scene}"_*.png "$out/$scene.png"
  fi
done
echo "ScenePreviews: pictures in $out"
