# From the dynamic loader's trace (LD_DEBUG=files,libs), the libraries that programs opened
# themselves at run time (dlopen) and got: one "LIBRARY OPENER" line each, both paths. A library
# asked for by name is where the loader last tried before mapping it; tries that found nothing
# (Mesa looks for its drivers in a tls/ folder first) are not mapped and not listed.
{ sub(/^[ \t]*[0-9]+:[ \t]*/, "") }
/dynamically loaded by/ {
  name = $1
  sub(/^file=/, "", name)
  by = $0
  sub(/.*dynamically loaded by /, "", by)
  sub(/ \[[0-9]+\]$/, "", by)
  opener[name] = by
  next
}
/^[ \t]*trying file=/ {
  tried = $0
  sub(/.*trying file=/, "", tried)
  next
}
/generating link map/ {
  name = $1
  sub(/^file=/, "", name)
  if (name in opener) {
    print (name ~ /^\// ? name : tried), opener[name]
    delete opener[name]
  }
}
