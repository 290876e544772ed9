#!/usr/bin/env bash
# skintool end to end: a text object to its binary stream (bytes worked out by hand) and back to
# the same text; the skin commands on a skin written by make_test_skin; refusals exit 1 with one
# line on stderr, nothing on stdout, and leave output files alone.
# Usage: skintool_test.sh WORK-DIR SKINTOOL MAKE-TEST-SKIN [RUNNER...] (RUNNER: e.g. scripts/wine-run)
set -u
work=$1
tool=$2
maker=$3
shift 3
runner=("$@")
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
skintool() { "${runner[@]}" "$tool" "$@"; }
make_test_skin() { "${runner[@]}" "$maker" "$@"; }
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
  [ ! -s out.log ] || fail "$*: a refusal printed: $(cat out.log)"
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

expect_success skintool text2stream object.txt object.bin
cmp -s object.bin expected.bin || fail "text2stream: bytes differ from the hand-made stream"
expect_success skintool stream2text object.bin back.txt
cmp -s back.txt object.txt || fail "stream2text: the text differs from the original"
# OUT exists now: it is replaced.
expect_success skintool stream2text object.bin back.txt
cmp -s back.txt object.txt || fail "stream2text over an existing file"

printf 'TPF1' >bad.bin
echo keep >kept.txt
expect_refusal "skintool: Invalid stream format" skintool stream2text bad.bin kept.txt
[ "$(cat kept.txt)" = keep ] || fail "a refused conversion changed its output file"
[ ! -e kept.txt.saving ] || fail "a refused conversion left kept.txt.saving"

printf "object A: T\r\n  P = 'x\r\nend\r\n" >bad.txt
expect_refusal "skintool: Invalid string constant on line 2" skintool text2stream bad.txt new.bin
[ ! -e new.bin ] && [ ! -e new.bin.saving ] || fail "a refused conversion left an output file"

cat object.bin >trailing.bin && printf 'xx' >>trailing.bin
expect_refusal "skintool: Data after the end of the object" skintool stream2text trailing.bin out.txt
expect_refusal 'skintool: Cannot open file missing.bin*' skintool stream2text missing.bin out.txt
expect_refusal 'skintool: Cannot create file no-such-dir/out.txt.saving*' skintool stream2text object.bin no-such-dir/out.txt
expect_refusal 'usage: skintool *' skintool
expect_refusal 'usage: skintool *' skintool text2stream object.txt
expect_refusal 'usage: skintool *' skintool frobnicate a b

# [Skin commands] ---------------------------------------------------------------------------------

# The report of the last command, without Windows line ends.
report() { tr -d '\r' <out.log; }
# expect_report TEXT: the last report is exactly TEXT.
expect_report() {
  [ "$(report)" = "$1" ] || fail "report differs: $(diff <(echo "$1") <(report) | tr '\n' ' ')"
}

expect_success make_test_skin skin.uskn
expect_success skintool info skin.uskn
expect_report "variant: uskn
tag: _UCT
name: Test Skin
version: 1.0
author: Vexel tests
email: tests@vexel.invalid
url: https://vexel.invalid/tests
images: 4
image 0: 4x3 transparent=yes alphablend=no name=Key
image 1: 2x2 transparent=no alphablend=yes name=semi/alpha
image 2: 1x1 transparent=no alphablend=no name=
image 3: 1x1 transparent=no alphablend=no name=KEY
objects: 2
object 0: TDvFormBitmapSkinObject children=1 name=Form
object 1: TDvButtonObject children=0 name=Button
tables: colors syscolors fonts"
report >info.txt

# Without its tag the file is read by its extension; with its tag it needs no extension.
tail -c +6 skin.uskn >tagless.uskn
expect_success skintool info tagless.uskn
expect_report "$(sed 's/^tag: .*/tag: none (variant by extension)/' info.txt)"
cp skin.uskn noextension
expect_success skintool info noextension
expect_report "$(cat info.txt)"

expect_success skintool validate skin.uskn
expect_report 'warning: Button.Bitmap: no image named "Missing"
ok: uskn, images 4, objects 2 (3 with children), warnings 1'

expect_success skintool tables skin.uskn
[ "$(report | wc -l)" -eq $((22 + 26 + 66)) ] || fail "tables: $(report | wc -l) lines"
[ -z "$(report | grep -Ev '^[A-Za-z0-9]+:[^:]+$')" ] || fail "tables: a line is not NAME:VALUE"
for line in 'CaptionNormal:clBlue' 'clActiveBorder:$00010203' 'CaptionTextNormal:Tahoma,8,1,8,0,0,bold'; do
  report | grep -Fxq "$line" || fail "tables: no line $line"
done

expect_success skintool dump skin.uskn
report >dump.txt
[ "$(grep -c '^object ' dump.txt)" -eq 2 ] && [ "$(grep -c '^end$' dump.txt)" -eq 2 ] || fail "dump: not two objects"
for line in 'object Form: TDvFormBitmapSkinObject' 'object Button: TDvButtonObject' "  Bitmap.Name = 'Missing'"; do
  grep -Fxq "$line" dump.txt || fail "dump: no line $line"
done

# Through each variant and back: the same objects, and the same bytes as a plain re-save
# (loading clears the client mask, so the first save differs from skin.uskn).
expect_success skintool convert skin.uskn resaved.uskn
for variant in uskn kskn xskn mskn; do
  expect_success skintool convert skin.uskn "skin.$variant"
  expect_success skintool info "skin.$variant"
  report | grep -Fxq "variant: $variant" || fail "convert to $variant: $(report | head -n 1)"
  expect_success skintool dump "skin.$variant"
  [ "$(report)" = "$(cat dump.txt)" ] || fail "dump of skin.$variant differs"
  expect_success skintool convert "skin.$variant" "back-$variant.uskn"
  cmp -s "back-$variant.uskn" resaved.uskn || fail "$variant and back: bytes differ"
done

# bytes_at FILE OFFSET COUNT: hex bytes, space-separated.
bytes_at() { od -An -tx1 -j "$2" -N "$3" "$1" | xargs; }
mkdir png bmp
expect_success skintool export skin.uskn png
expect_report "image 0: png/Key.png
image 1: png/semi_alpha.png
image 2: png/image2.png
image 3: png/KEY_2.png"
expect_success skintool export skin.uskn bmp/ --bmp
expect_report "image 0: bmp/Key.bmp
image 1: bmp/semi_alpha.bmp
image 2: bmp/image2.bmp
image 3: bmp/KEY_2.bmp"
for file in png/*.png; do
  [ "$(bytes_at "$file" 0 8)" = "89 50 4e 47 0d 0a 1a 0a" ] || fail "$file: no PNG signature"
done
# FILE X Y SIZE AARRGGBB, read back through libpng.
while read -r file x y expected; do
  expect_success make_test_skin --pixel "$file" "$x" "$y"
  [ "$(report)" = "$expected" ] || fail "$file ($x, $y): $(report), expected $expected"
done <<'PIXELS'
png/Key.png 0 0 4x3 007F007F
png/Key.png 3 2 4x3 FF336699
png/semi_alpha.png 0 0 2x2 80FF0000
png/semi_alpha.png 1 1 2x2 40FFFFFF
PIXELS
# FILE OFFSET COUNT BYTES: "BM", file size, bit count, then rows bottom-up in B G R A.
while read -r file offset count expected; do
  [ "$(bytes_at "$file" "$offset" "$count")" = "$expected" ] ||
    fail "$file at $offset: $(bytes_at "$file" "$offset" "$count"), expected $expected"
done <<'BYTES'
bmp/Key.bmp 0 2 42 4d
bmp/Key.bmp 2 4 66 00 00 00
bmp/Key.bmp 28 2 20 00
bmp/Key.bmp 54 4 99 66 33 ff
bmp/Key.bmp 86 4 7f 00 7f 00
bmp/semi_alpha.bmp 54 4 00 00 ff 80
bmp/semi_alpha.bmp 58 4 ff ff ff 40
BYTES
[ "$(wc -c <bmp/Key.bmp)" -eq $((54 + 4 * 3 * 4)) ] || fail "bmp/Key.bmp: $(wc -c <bmp/Key.bmp) bytes"

head -c 200 skin.uskn >truncated.uskn
head -c 100 skin.kskn >truncated.kskn
tail -c +6 skin.uskn >tagless.skin
mkdir folder.uskn
# PATTERN|ARGUMENTS
while IFS='|' read -r pattern arguments; do
  # shellcheck disable=SC2086
  expect_refusal "$pattern" skintool $arguments
done <<'REFUSALS'
skintool: Cannot open file missing.uskn*|info missing.uskn
skintool: Cannot read skin truncated.uskn: *|validate truncated.uskn
skintool: Cannot read skin truncated.kskn: *|dump truncated.kskn
skintool: Cannot read skin truncated.uskn: *|convert truncated.uskn new.kskn
skintool: Cannot open file folder.uskn: it is a folder|tables folder.uskn
skintool: Unknown skin extension in new.skin; *|convert skin.uskn new.skin
skintool: tagless.skin has neither a skin tag nor a skin extension *|info tagless.skin
skintool: Folder no-such-dir does not exist|export skin.uskn no-such-dir
skintool: skin.uskn is not a folder|export skin.uskn skin.uskn --bmp
usage: skintool *|export skin.uskn png --jpeg
usage: skintool *|info
REFUSALS
[ -z "$(ls new.* 2>/dev/null)" ] || fail "a refused conversion left $(ls new.*)"

# [Rendering] ----------------------------------------------------------------------------------

expect_success make_test_skin --render render.uskn
if [ ${#runner[@]} -eq 0 ]; then
  expect_refusal "skintool: render needs the Windows build of skintool" skintool render render.uskn out.png --object Panel
  [ ! -e out.png ] || fail "a refused render wrote out.png"
else
  # ARGUMENTS|PNG PIXELS...: each pixel "X,Y=AARRGGBB"; key pixels come out with alpha 0. The
  # panel's image names its pixels FF<10(x+1)><10(y+1)>80, with a key pixel in its right edge.
  while IFS='|' read -r arguments pixels; do
    rm -f out.png
    # shellcheck disable=SC2086
    expect_success skintool render render.uskn out.png $arguments
    for pixel in $pixels; do
      xy=${pixel%%=*}
      expected=${pixel#*=}
      expect_success make_test_skin --pixel out.png "${xy%,*}" "${xy#*,}"
      [ "$(report | cut -d' ' -f2)" = "$expected" ] || fail "render $arguments: $xy is $(report), expected $expected"
    done
  done <<'RENDERS'
--object Panel|0,0=FF101080 5,0=FF301080 0,3=FF103080 5,3=FF303080 1,0=FF201080 4,0=FF201080 0,1=FF102080 1,1=FF202080 4,2=FF202080 5,1=007F007F
--object panel --size 9x7|8,6=FF303080 4,3=FF202080 8,3=007F007F 7,0=FF201080
--object Button|2,2=FF0000FF
--object Button --state hot|2,2=FFFF0000
--object Button --state pressed --design|2,2=FF0000FF
--object Caption|0,0=FF800000
--object Caption --active 1|0,0=FF008000
--object Caption --state hot|0,0=FF008000
--object Caption --text - --size 30x10|2,4=FF800000 3,4=FFFF0000 26,4=FFFF0000 27,4=FF800000 3,3=FF800000
--object Placeholder|0,0=007F007F
--object Placeholder --state design|0,0=FF000000 39,11=FF000000 1,1=FFFFFFFF
RENDERS
  expect_success skintool render render.uskn out.png --object Panel --size 9x7
  [ "$(report)" = "written: out.png (9x7)" ] || fail "render report: $(report)"
  expect_success make_test_skin --pixel out.png 0 0
  [ "$(report | cut -d' ' -f1)" = "9x7" ] || fail "render --size 9x7 wrote $(report)"

  echo keep >kept.png
  # PATTERN|ARGUMENTS: refused before anything is written.
  while IFS='|' read -r pattern arguments; do
    # shellcheck disable=SC2086
    expect_refusal "$pattern" skintool render $arguments
    [ "$(cat kept.png)" = keep ] || fail "a refused render ($arguments) changed its output"
  done <<'REFUSALS'
skintool: No top-level object named Nothing in render.uskn|render.uskn kept.png --object Nothing
skintool: Empty has no size; give --size WIDTHxHEIGHT|render.uskn kept.png --object Empty
skintool: render: --object NAME is required|render.uskn kept.png --size 4x4
skintool: render: --object needs a value|render.uskn kept.png --object
skintool: render: --size needs WIDTHxHEIGHT, not 4|render.uskn kept.png --object Panel --size 4
skintool: render: --size sides are 1 to 32768|render.uskn kept.png --object Panel --size 0x4
skintool: render: --size sides are 1 to 32768|render.uskn kept.png --object Panel --size 40000x4
skintool: render: --size 30000x30000 is too large|render.uskn kept.png --object Panel --size 30000x30000
skintool: render: unknown state sleepy|render.uskn kept.png --object Panel --state sleepy
skintool: render: --active is 0 or 1, not 2|render.uskn kept.png --object Panel --active 2
skintool: render: unknown option --frobnicate|render.uskn kept.png --object Panel --frobnicate
skintool: render: --object given twice|render.uskn kept.png --object Panel --object Button
skintool: Cannot open file missing.uskn*|missing.uskn kept.png --object Panel
usage: skintool *|render.uskn
REFUSALS
fi

# [Preview] ------------------------------------------------------------------------------------

echo keep >kept.png
if [ ${#runner[@]} -eq 0 ]; then
  expect_refusal "skintool: preview needs the Windows build of skintool" skintool preview render.uskn --screenshot kept.png
  expect_refusal "skintool: preview needs the Windows build of skintool" skintool preview --theme flat --screenshot kept.png
else
  # The window is the empty test window: 440 x 240 client pixels inside a frame.
  expect_success skintool preview render.uskn --screenshot shot.png
  [[ "$(report)" =~ ^written:\ shot.png\ \(([0-9]+)x([0-9]+)\)$ ]] || fail "preview report: $(report)"
  [ "${BASH_REMATCH[1]:-0}" -gt 440 ] && [ "${BASH_REMATCH[2]:-0}" -gt 240 ] || fail "preview wrote $(report)"
  expect_success make_test_skin --pixel shot.png 0 0
  [ "$(report | cut -d' ' -f1)" = "${BASH_REMATCH[1]}x${BASH_REMATCH[2]}" ] || fail "shot.png is $(report)"
  # The sample skin's window: the frame and client are the skin's "Form" drawn at the window's
  # size, apart from what the window adds (icon, caption text) and the title buttons it leaves out.
  if [ -n "${VX_SAMPLE_SKIN:-}" ]; then
    cp "$VX_SAMPLE_SKIN" sample.kskn || fail "no sample skin at $VX_SAMPLE_SKIN"
    expect_success skintool preview sample.kskn --screenshot sample.png
    [[ "$(report)" =~ \(([0-9]+)x([0-9]+)\)$ ]] || fail "preview report: $(report)"
    w=${BASH_REMATCH[1]:-0} h=${BASH_REMATCH[2]:-0}
    expect_success skintool render sample.kskn form.png --object Form --size "${w}x${h}" --active 1
    for xy in 0,100 2,150 $((w - 1)),100 $((w - 3)),150 $((w / 2)),$((h - 1)) $((w / 2)),$((h - 3)) \
      $((w / 2)),$((h / 2)) $((w / 2)),4 $((w / 2)),24; do
      expect_success make_test_skin --pixel sample.png "${xy%,*}" "${xy#*,}"
      shown=$(report | cut -d' ' -f2)
      expect_success make_test_skin --pixel form.png "${xy%,*}" "${xy#*,}"
      drawn=$(report | cut -d' ' -f2)
      [ "$shown" = "$drawn" ] || fail "preview at $xy is $shown, the skin's Form $drawn"
    done
    # The controls test window: 561 x 516 client pixels inside the same frame as the empty
    # window's 440 x 240.
    expect_success skintool preview sample.kskn --controls --screenshot controls.png
    expect_report "written: controls.png ($((w - 440 + 561))x$((h - 240 + 516)))"
  fi
  mkdir -p folder.kskn
  # PATTERN|ARGUMENTS: refused before anything is written.
  while IFS='|' read -r pattern arguments; do
    # shellcheck disable=SC2086
    expect_refusal "$pattern" skintool preview $arguments
  done <<'REFUSALS'
skintool: Cannot open file missing.uskn*|missing.uskn --screenshot kept.png
skintool: Cannot open file folder.kskn: it is a folder|folder.kskn --screenshot kept.png
skintool: Cannot read skin truncated.uskn: *|truncated.uskn --screenshot kept.png
skintool: preview: FILE may only be followed by --controls and --screenshot OUT.png|render.uskn --frobnicate
skintool: preview: FILE may only be followed by --controls and --screenshot OUT.png|render.uskn --screenshot
skintool: preview: FILE may only be followed by --controls and --screenshot OUT.png|render.uskn --controls --controls --screenshot kept.png
skintool: Unknown theme "marble"; the built-in themes are flat, officexp|--theme marble --screenshot kept.png
skintool: preview: --theme needs a theme name (flat, officexp)|--theme
skintool: preview: FILE may only be followed by --controls and --screenshot OUT.png|--theme flat --screenshot
usage: skintool *|
REFUSALS
  # The built-in themes drawn in code, chosen by name: the flat frame's outer edge is its Border
  # colour (0x8396A0 as a framework colour); Office XP leaves the frame to the platform.
  expect_success skintool preview --theme flat --screenshot flat.png
  [[ "$(report)" =~ ^written:\ flat.png\ \(([0-9]+)x([0-9]+)\)$ ]] || fail "preview report: $(report)"
  expect_success make_test_skin --pixel flat.png 0 100
  [ "$(report | cut -d' ' -f2)" = FFA09683 ] || fail "flat preview's frame: $(report)"
  expect_success skintool preview --theme OfficeXP --controls --screenshot officexp.png
  [[ "$(report)" =~ ^written:\ officexp.png\ \(([0-9]+)x([0-9]+)\)$ ]] || fail "preview report: $(report)"
  expect_success make_test_skin --pixel officexp.png 0 100
  [ "$(report | cut -d' ' -f2)" != FFA09683 ] || fail "the Office XP preview has the flat frame"
fi
[ "$(cat kept.png)" = keep ] || fail "a refused preview changed its output"

# [Contact sheet] ------------------------------------------------------------------------------

expect_refusal 'usage: skintool *' skintool sheet skin.uskn
echo keep >kept.png
if [ ${#runner[@]} -eq 0 ]; then
  expect_refusal "skintool: sheet needs the Windows build of skintool" skintool sheet skin.uskn kept.png
  expect_refusal "skintool: sheet needs the Windows build of skintool" skintool sheet --theme flat kept.png
else
  expect_success skintool sheet skin.uskn sheet.png
  expect_success make_test_skin --pixel sheet.png 0 0
  [ "$(report | cut -d' ' -f1 | cut -dx -f1)" = 1200 ] || fail "sheet wrote $(report)"
  expect_refusal "skintool: Cannot load a skin from missing.uskn" skintool sheet missing.uskn kept.png
  # Sheets of the built-in themes: the flat one shows its window frame (the first sample's
  # corner is the Border colour), Office XP shows none.
  for theme in flat officexp; do
    expect_success skintool sheet --theme $theme $theme-sheet.png
    expect_success make_test_skin --pixel $theme-sheet.png 0 0
    [ "$(report | cut -d' ' -f1 | cut -dx -f1)" = 1200 ] || fail "$theme sheet wrote $(report)"
  done
  expect_success make_test_skin --pixel flat-sheet.png 10 32
  [ "$(report | cut -d' ' -f2)" = FFA09683 ] || fail "flat sheet's window frame: $(report)"
  expect_success make_test_skin --pixel officexp-sheet.png 10 32
  [ "$(report | cut -d' ' -f2)" != FFA09683 ] || fail "the Office XP sheet shows the flat frame"
  # A visual-style file paints through the visual-style theme: the sample style's window shows the
  # outline of its left frame image.
  if [ -n "${VX_SAMPLE_STYLE:-}" ]; then
    cp "$VX_SAMPLE_STYLE" sample.msstyles || fail "no sample style at $VX_SAMPLE_STYLE"
    expect_success skintool sheet sample.msstyles style-sheet.png
    expect_success make_test_skin --pixel style-sheet.png 10 80
    [ "$(report | cut -d' ' -f2)" = FF2A3F48 ] || fail "the style sheet's window frame: $(report)"
    expect_refusal "skintool: Cannot load module missing.msstyles: *" skintool sheet missing.msstyles kept.png
  fi
  expect_refusal 'skintool: Unknown theme "marble"; the built-in themes are flat, officexp' \
    skintool sheet --theme marble kept.png
  expect_refusal "skintool: sheet: FILE OUT.png or --theme NAME OUT.png" skintool sheet --theme flat
  expect_refusal "skintool: sheet: FILE OUT.png or --theme NAME OUT.png" skintool sheet skin.uskn kept.png extra
fi
[ "$(cat kept.png)" = keep ] || fail "a refused sheet changed its output"

# [Visual styles] ------------------------------------------------------------------------------

# info reads a style file on every build; the sheet and the preview paint through it on Windows.
printf 'not a module' >broken.msstyles
expect_refusal 'skintool: Cannot load module broken.msstyles: *' skintool info broken.msstyles
if [ -n "${VX_SAMPLE_STYLE:-}" ]; then
  cp "$VX_SAMPLE_STYLE" sample.msstyles || fail "no sample style at $VX_SAMPLE_STYLE"
  expect_success skintool info sample.msstyles
  report >style-info.txt
  grep -qx 'kind: visual style' style-info.txt || fail "style info: $(head -n 3 style-info.txt)"
  grep -qx 'name: sample' style-info.txt || fail "style info names $(grep '^name' style-info.txt)"
  grep -qx 'sections: 97 of 97 read by the theme' style-info.txt || fail "style info: $(grep '^sections' style-info.txt)"
  ! grep -q ': missing$' style-info.txt || fail "style info misses $(grep ': missing$' style-info.txt)"
  grep -Eq '^images: [1-9][0-9]*$' style-info.txt || fail "style info: $(grep '^images' style-info.txt)"
  [[ "$(grep '^metrics' style-info.txt)" =~ ^metrics:\ caption\ ([0-9]+),\ border\ ([0-9]+)$ ]] ||
    fail "style info: $(grep '^metrics' style-info.txt)"
  style_caption=${BASH_REMATCH[1]:-0} style_border=${BASH_REMATCH[2]:-0}
  echo keep >kept.png
  if [ ${#runner[@]} -eq 0 ]; then
    expect_refusal "skintool: sheet needs the Windows build of skintool" skintool sheet sample.msstyles kept.png
  else
    expect_success skintool sheet sample.msstyles style-sheet.png
    expect_success make_test_skin --pixel style-sheet.png 0 0
    [ "$(report | cut -d' ' -f1 | cut -dx -f1)" = 1200 ] || fail "style sheet wrote $(report)"
    expect_refusal 'skintool: Cannot load module broken.msstyles: *' skintool sheet broken.msstyles kept.png
    expect_success skintool preview sample.msstyles --controls --screenshot style.png
    expect_report "written: style.png ($((561 + 2 * style_border))x$((516 + style_caption + 2 * style_border)))"
    expect_refusal 'skintool: Cannot load module broken.msstyles: *' skintool preview broken.msstyles --screenshot kept.png
  fi
  [ "$(cat kept.png)" = keep ] || fail "a refused style command changed its output"
fi

echo "$failures failed"
[ "$failures" -eq 0 ]
