#!/usr/bin/env bash
# skintool end to end: a text object to its binary stream (bytes worked out by hand) and back to
# the same text; refusals exit 1 with one line on stderr and leave the output file alone.
# Usage: skintool_test.sh WORK-DIR PROGRAM... (PROGRAM may be a runner followed by the program)
set -u
work=$1
shift
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# expect_success ARGS...: exit 0, nothing on stderr.
expect_success() {
  "$@" </dev/null >out.log 2>err.log
  local rc=$?
  [ "$rc" -eq 0 ] || fail "$*: exit $rc"
  [ ! -s err.log ] || fail "$*: stderr: $(cat err.log)"
}

# expect_refusal PATTERN ARGS...: exit 1 and exactly one line on stderr, matching PATTERN.
expect_refusal() {
  local pattern=$1
  shift
  "$@" </dev/null >out.log 2>err.log
  local rc=$?
  [ "$rc" -eq 1 ] || fail "$*: exit $rc, expected 1"
  [ "$(wc -l <err.log)" -eq 1 ] || fail "$*: $(wc -l <err.log) lines on stderr: $(cat err.log)"
  local line
  line=$(tr -d '\r' <err.log)
  # shellcheck disable=SC2053
  [[ $line == $pattern ]] || fail "$*: stderr '$line' does not match '$pattern'"
}

printf '%s\r\n' \
  "object Button1: TDvSkinObject" \
  "  Tag = 5" \
  "  Color = clNone" \
  "  Caption = 'It'#39's'" \
  "  Objects = {00000F00}" \
  "end" >object.txt
# "TPF0", class, name, Tag = 5 (code 2), Color = clNone (code 7), Caption (code 6), Objects
# (code 10, length 4), end of properties, end of children.
printf 'TPF0\x0dTDvSkinObject\x07Button1%b%b%b%b\x00\x00' \
  '\x03Tag\x02\x05' \
  '\x05Color\x07\x06clNone' \
  '\x07Caption\x06\x04It'"'"'s' \
  '\x07Objects\x0a\x04\x00\x00\x00\x00\x00\x0f\x00' >expected.bin

expect_success "$@" text2stream object.txt object.bin
cmp -s object.bin expected.bin || fail "text2stream: bytes differ from the hand-made stream"
expect_success "$@" stream2text object.bin back.txt
cmp -s back.txt object.txt || fail "stream2text: the text differs from the original"
# OUT exists now: it is replaced.
expect_success "$@" stream2text object.bin back.txt
cmp -s back.txt object.txt || fail "stream2text over an existing file"

printf 'TPF1' >bad.bin
echo keep >kept.txt
expect_refusal "skintool: Invalid stream format" "$@" stream2text bad.bin kept.txt
[ "$(cat kept.txt)" = keep ] || fail "a refused conversion changed its output file"
[ ! -e kept.txt.tmp ] || fail "a refused conversion left kept.txt.tmp"

printf "object A: T\r\n  P = 'x\r\nend\r\n" >bad.txt
expect_refusal "skintool: Invalid string constant on line 2" "$@" text2stream bad.txt new.bin
[ ! -e new.bin ] && [ ! -e new.bin.tmp ] || fail "a refused conversion left an output file"

cat object.bin >trailing.bin && printf 'xx' >>trailing.bin
expect_refusal "skintool: Data after the end of the object" "$@" stream2text trailing.bin out.txt
expect_refusal 'skintool: Cannot open file missing.bin*' "$@" stream2text missing.bin out.txt
expect_refusal 'skintool: Cannot create file no-such-dir/out.txt.tmp*' "$@" stream2text object.bin no-such-dir/out.txt
expect_refusal 'usage: skintool *' "$@"
expect_refusal 'usage: skintool *' "$@" text2stream object.txt
expect_refusal 'usage: skintool *' "$@" frobnicate a b

echo "$failures failed"
[ "$failures" -eq 0 ]
