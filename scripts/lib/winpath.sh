# Sourced by the scripts that hand file paths to Windows programs under Wine:
# prints the path as Windows sees it through Wine's Z: drive (the Unix root).
windows_path() {
  local absolute
  absolute=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  printf 'Z:%s\n' "${absolute//\//\\}"
}
