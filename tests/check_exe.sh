#!/usr/bin/env bash
# Checks the shipped Windows program as a file: a stripped PE32 GUI executable for i386,
# importing only the system's DLLs, with its version resource and manifest, small.
set -euo pipefail
exe="$1"
version="$2"
fail() { echo "check_exe: $*" >&2; exit 1; }
[ -f "$exe" ] || fail "$exe is missing"
headers="$(i686-w64-mingw32-objdump -p "$exe")"
grep -q 'file format pei-i386' <<<"$headers" || fail "not a PE32 i386 executable"
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || fail "not a GUI-subsystem program"
dlls="$(grep 'DLL Name:' <<<"$headers" | awk '{print toupper($3)}' | sort | tr '\n' ' ')"
[ "$dlls" = "KERNEL32.DLL MSVCRT.DLL USER32.DLL " ] || fail "imports $dlls"
size=$(stat -c %s "$exe")
[ "$size" -le $((256 * 1024)) ] || fail "$size bytes, more than 256 KiB"
# Captured first: with pipefail, "grep -q" ending a pipe early fails the command before it.
symbols="$(i686-w64-mingw32-objdump -t "$exe" 2>/dev/null)"
wide_text="$(strings -el "$exe")"
text="$(strings "$exe")"
grep -q 'no symbols' <<<"$symbols" || fail "not stripped"
grep -qx "$version" <<<"$wide_text" || fail "no version $version in the version resource"
grep -qx 'Cleaner' <<<"$wide_text" || fail "no product name in the version resource"
grep -q 'level="asInvoker"' <<<"$text" || fail "no asInvoker manifest"
echo "check_exe: $exe is fine ($size bytes)"
