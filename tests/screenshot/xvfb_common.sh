# What the Xvfb scripts share, sourced by them: the command line, and a virtual X server.
#
# parse_arguments "$@": sets tool (default build/asan's quillmere), out and readme_image from
# [QUILLMERE [OUTDIR]] [--readme-image FILE]; -h prints the script's own header lines 2..$1.
# start_xvfb SCREEN: makes the output folder, starts Xvfb (e.g. 1024x768x24) on a free display,
# sets xvfb to its process and exports DISPLAY; the caller's EXIT trap stops it.

parse_arguments() {
  local help_lines="$1"
  shift
  tool="$root/build/asan/app/quillmere"
  out=""
  readme_image=""
  local positional=()
  while (($#)); do
    case "$1" in
      --readme-image) readme_image="$2"; shift 2 ;;
      -h|--help) sed -n "2,${help_lines}p" "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
      *) positional+=("$1"); shift ;;
    esac
  done
  ((${#positional[@]} > 0)) && tool="${positional[0]}"
  ((${#positional[@]} > 1)) && out="${positional[1]}"
  return 0
}

start_xvfb() {
  [ -n "$out" ] || out="$(mktemp -d)"
  mkdir -p "$out"
  # Xvfb picks a free display and writes its number to fd 3 once it accepts connections.
  rm -f "$out/displayfd"
  mkfifo "$out/displayfd"
  exec 3<>"$out/displayfd"
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp >"$out/xvfb.log" 2>&1 &
  xvfb=$!
  local display=""
  read -r -t 10 display <&3 || { echo "Xvfb did not start:" >&2; cat "$out/xvfb.log" >&2; exit 1; }
  export DISPLAY=":$display"
  echo "Xvfb on $DISPLAY"
}
