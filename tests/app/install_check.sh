#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the desktop program there: every file in
# place and no test executable, each data file accepted by its format's own validator, and the
# container types recognised by the MIME database built from the installed package.
#
#     install_check.sh <build folder> <mime check tool> <tests/data folder>
set -euo pipefail

build=$1
mime_check=$2
data=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/usr
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
# Runs a validator; any exit status but 0, and any word it prints, is a failure.
quiet_pass() {
  local what=$1 output
  shift
  if ! output=$("$@" 2>&1) || [ -n "$output" ]; then
    fail "$what"
    [ -z "$output" ] || printf '%s\n' "$output" >&2
  fi
}

cmake --install "$build" --prefix "$prefix" >/dev/null

share=$prefix/share
desktop=$share/applications/ombrelunaire.desktop
mime=$share/mime/packages/ombrelunaire.xml
metainfo=$share/metainfo/fr.morvandel.ombrelunaire.metainfo.xml
man=$share/man/man1/ombrelunaire-cli.1
sizes=(16 22 24 32 48 64 128 256)

expected=(
  "$prefix/bin/ombrelunaire" "$prefix/bin/ombrelunaire-cli"
  "$share/ombrelunaire/Ombrelunaire.qhc" "$share/ombrelunaire/Ombrelunaire.qch"
  "$desktop" "$mime" "$metainfo" "$man"
  "$share/icons/hicolor/scalable/apps/ombrelunaire.svg"
)
for size in "${sizes[@]}"; do
  expected+=("$share/icons/hicolor/${size}x${size}/apps/ombrelunaire.png")
done
for file in "${expected[@]}"; do
  [ -s "$file" ] || fail "missing or empty: ${file#"$prefix"/}"
done

# The two programs are the only executables: tests, benchmarks and build tools stay behind.
executables=$(cd "$prefix" && find . -type f -perm /111 | sort | tr '\n' ' ')
[ "$executables" = "./bin/ombrelunaire ./bin/ombrelunaire-cli " ] ||
  fail "executables installed: $executables"

# A PNG gives its width and height as big-endian words at bytes 16 and 20.
for size in "${sizes[@]}"; do
  png=$share/icons/hicolor/${size}x${size}/apps/ombrelunaire.png
  [ -f "$png" ] || continue
  read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }')
  [ "$width x $height" = "$size x $size" ] || fail "icon ${size}x${size} is ${width}x${height}"
done

quiet_pass "desktop-file-validate" desktop-file-validate "$desktop"
# Errors and warnings fail the validation; information notes do not.
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
  { fail "appstreamcli validate"; cat "$work/appstream.log" >&2; }
quiet_pass "xmllint on the MIME package" xmllint --noout "$mime"
quiet_pass "groff on the manual page" groff -man -Tutf8 -ww -z "$man"

# The MIME database as a desktop with this package installed sees it: the installed tree first,
# then the system's shared types (text/x-uuencode lives there). No user folder joins in.
export XDG_DATA_HOME=$work/home XDG_DATA_DIRS=$share:/usr/share
quiet_pass "update-mime-database" update-mime-database "$share/mime"

# The types the menu entry opens and those the software centre lists are the same, and each is
# known to the database.
entry_types=$(sed -n 's/^MimeType=//p' "$desktop" | tr ';' '\n' | sed '/^$/d' | sort)
listed_types=$(xmllint --xpath '//provides/mediatype/text()' "$metainfo" | sort)
[ "$entry_types" = "$listed_types" ] ||
  fail "MimeType= ($(echo $entry_types)) differs from the metainfo's mediatypes ($(echo $listed_types))"
for type in $entry_types; do
  [ -f "$share/mime/$type.xml" ] || [ -f "/usr/share/mime/$type.xml" ] || fail "unknown MIME type $type"
done

# A sealed container is known by its bytes under any name; the armours by their extension, an
# XXE armour even though its first line reads as a uuencoded file's.
samples=(
  "cipher/sound.cod|sealed-without-extension|application/x-ombrelunaire"
  "cipher/wrong-tag.cod|damaged-without-extension|application/octet-stream"
  "cli/lettre.xxe|lettre.xxe|text/x-xxencode"
  "cli/lettre.uue|lettre.uue|text/x-uuencode"
)
mkdir "$work/samples"
names=()
for sample in "${samples[@]}"; do
  IFS='|' read -r source name _ <<<"$sample"
  cp "$data/$source" "$work/samples/$name"
  names+=("$work/samples/$name")
done
mapfile -t found < <("$mime_check" "${names[@]}")
for i in "${!samples[@]}"; do
  IFS='|' read -r source name type <<<"${samples[$i]}"
  [ "${found[$i]:-}" = "$type" ] || fail "$source named $name is ${found[$i]:-nothing}, not $type"
done

[ "$failures" -eq 0 ]
