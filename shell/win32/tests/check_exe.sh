#!/usr/bin/env bash
# Checks a built VELNO.EXE without running it: the PE header's machine and
# subsystem, that it imports only system DLLs, and its resources (numbers,
# types, language and the two dialog templates).
#
# usage: check_exe.sh VELNO.EXE i686|x86_64 OBJDUMP WINDRES
set -u
exe=$1 arch=$2 objdump=$3 windres=$4
here=$(cd "$(dirname "$0")" && pwd)
failures=0 checks=0

check() {  # check DESCRIPTION COMMAND...
    local what=$1; shift
    checks=$((checks + 1))
    if "$@"; then
        echo "ok   $what"
    else
        echo "FAIL $what"
        failures=$((failures + 1))
    fi
}

[ -f "$exe" ] || { echo "FAIL no executable at $exe"; echo "0 passed, 1 failed"; exit 1; }
header=$("$objdump" -f "$exe")
private=$("$objdump" -p "$exe")
resources=$("$windres" -i "$exe" -O rc 2>&1)
echo "$(basename "$exe"): $(stat -c %s "$exe") bytes"

case $arch in
    i686)   format=pei-i386;   machine='architecture: i386,';        magic='Magic[[:space:]]+010b' ;;
    x86_64) format=pei-x86-64; machine='architecture: i386:x86-64,'; magic='Magic[[:space:]]+020b' ;;
    *) echo "FAIL unknown architecture $arch"; exit 1 ;;
esac
check "PE format $format" grep -q "file format $format" <<<"$header"
check "machine ($machine)" grep -q "$machine" <<<"$header"
check "optional header magic" grep -Eq "$magic" <<<"$private"
check "Windows GUI subsystem" grep -Eq 'Subsystem[[:space:]]+00000002' <<<"$private"

# Imports: only system DLLs, and the four the game calls into.
imports=$(grep -o 'DLL Name: .*' <<<"$private" | sed 's/DLL Name: //' | tr 'a-z' 'A-Z' | sort -u)
echo "imports: $(echo $imports)"
foreign=$(grep -Evx 'USER32.DLL|GDI32.DLL|WINMM.DLL|KERNEL32.DLL|MSVCRT.DLL' <<<"$imports")
check "no imports beyond USER32, GDI32, WINMM, KERNEL32, msvcrt${foreign:+ (found: $foreign)}" \
    test -z "$foreign"
for dll in USER32.DLL GDI32.DLL WINMM.DLL KERNEL32.DLL; do
    check "imports $dll" grep -qx "$dll" <<<"$imports"
done

# Resources: "Type: T" starts a type, "Name: N." names each entry of it.
listing=$(awk '
    /Type: /  { sub(/.*Type: /, ""); sub(/[[:space:]]*$/, ""); type = $0 }
    /Name: /  { line = $0; sub(/.*Name: /, "", line); sub(/\..*/, "", line); print type ":" line }
' <<<"$resources" | sort)
expect_list() {  # expect_list TYPE NUMBERS...
    local type=$1; shift
    local want got
    want=$(printf '%s\n' "$@" | sort -n | tr '\n' ' ')
    got=$(grep "^$type:" <<<"$listing" | cut -d: -f2 | sort -n | tr '\n' ' ')
    [ "$want" = "$got" ] || { echo "     $type: want $want, got $got"; return 1; }
}
check "23 pictures 130-145, 147, 152-157" expect_list bitmap \
    130 131 132 133 134 135 136 137 138 139 140 141 142 143 144 145 147 152 153 154 155 156 157
check "5 WAVE sounds 149-151, 158, 159" expect_list '"WAVE"' 149 150 151 158 159
check "icon group 107" expect_list 'group icon' 107
check "dialogs 129 and 146" expect_list dialog 129 146
check "version block" expect_list version 1
check "manifest (type 24, number 1)" expect_list 24 1
languages=$(grep -E '^LANGUAGE' <<<"$resources" | sort -u)
check "every resource under language 1041 (17, 1)" test "$languages" = "LANGUAGE 17, 1"
check "manifest asks for common controls 6" \
    grep -q 'Microsoft.Windows.Common-Controls' <<<"$(strings -n 8 "$exe")"

dialogs=$(awk '/^(129|146) DIALOG/{p=1} p{print} p&&/^END/{p=0}' <<<"$resources")
expected=$(grep -v '^//' "$here/dialogs.expected.rc")
check "dialog templates 129 and 146" test "$dialogs" = "$expected"
if [ "$dialogs" != "$expected" ]; then
    diff <(echo "$expected") <(echo "$dialogs") | head -20
fi

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
