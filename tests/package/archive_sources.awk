# The Debian 12 entries of this machine's apt sources, as one-line "deb" entries for the clean
# root: the archive the machine already reaches (its mirror, updates and security), and none of
# the other repositories it may have. Reads deb822 (.sources) and one-line (.list) files.
#   awk -f archive_sources.awk /etc/apt/sources.list /etc/apt/sources.list.d/*
function wanted(suite) { return suite ~ /^bookworm(-|$)/ }

# One deb822 stanza: every URI with every wanted suite. Signed-By is kept when it names a file
# (an inline key is left to the keyrings apt trusts anyway).
function flush(    n, m, i, j, u, s, options) {
  if (types ~ /(^|[ \t])deb([ \t]|$)/ && enabled != "no") {
    options = signed ~ /^\// ? "[signed-by=" signed "] " : ""
    n = split(uris, u, /[ \t]+/)
    m = split(suites, s, /[ \t]+/)
    for (i = 1; i <= n; i++)
      for (j = 1; j <= m; j++)
        if (u[i] != "" && wanted(s[j])) print "deb " options u[i] " " s[j] " " components
  }
  types = uris = suites = components = signed = ""
  enabled = "yes"
}

BEGIN { enabled = "yes" }
FNR == 1 { flush() }
FILENAME !~ /\.sources$/ {
  if ($1 == "deb") {
    rest = $0
    sub(/^deb[ \t]+(\[[^]]*\][ \t]+)?/, "", rest)
    split(rest, field, /[ \t]+/)
    if (wanted(field[2])) print
  }
  next
}
/^[ \t]*#/ { next }
/^[ \t]*$/ { flush(); next }
/^[^ \t]/ {
  name = tolower($1)
  sub(/:.*/, "", name)
  value = $0
  sub(/^[^:]*:[ \t]*/, "", value)
  sub(/[ \t]+$/, "", value)
  if (name == "types") types = value
  else if (name == "uris") uris = value
  else if (name == "suites") suites = value
  else if (name == "components") components = value
  else if (name == "signed-by") signed = value
  else if (name == "enabled") enabled = tolower(value)
}
END { flush() }
