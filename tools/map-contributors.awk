# Sums a GNU ld map file's input sections by the object they come from and prints the
# largest: "bytes object", biggest first is left to sort. Debug sections are not counted.
#   awk -f tools/map-contributors.awk program.map | sort -rn | head
function hex(text,    value, i) {
  value = 0
  text = tolower(text)
  sub(/^0x/, "", text)
  for (i = 1; i <= length(text); i++)
    value = value * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
  return value
}
function add(section, size, file,    name) {
  if (section ~ /^\.debug/ || size == 0 || file == "" || file ~ /^0x/) return
  name = file
  sub(/.*\//, "", name)
  bytes[name] += size
}
/^Linker script and memory map/ { mapped = 1; next }
!mapped { next }
/^ \.[^ ]+$/ { pending = $1; next }
pending != "" && /^ +0x[0-9a-f]+ +0x[0-9a-f]+ / { add(pending, hex($2), $3); pending = ""; next }
/^ \.[^ ]+ +0x[0-9a-f]+ +0x[0-9a-f]+ / { add($1, hex($3), $4); pending = ""; next }
{ pending = "" }
END { for (name in bytes) printf "%d %s\n", bytes[name], name }
