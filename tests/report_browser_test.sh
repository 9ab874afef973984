#!/usr/bin/env bash
# The report page as a browser shows it: headless Chromium opens a report of three documents
# (one of them edited, so failing check), takes a screenshot and keeps its console. Checked: no
# console message at all (the page has no script, and a blocked one would be reported), the bars
# drawn in the baseline's colour, the failed document's hatching, text on the page; the SVG files
# are well-formed XML. Fails when chromium is not installed: a test left out would pass unseen.
# Usage: report_browser_test.sh tallyforge-cli tallyforge-cli-testhooks
set -uo pipefail
cli=$(realpath "$1") hooks=$(realpath "$2")
browser=$(command -v chromium || command -v chromium-browser) || {
  echo "FAIL: chromium is not installed (tools/setup-debian.sh installs it)"
  exit 1
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

for name in fast slow; do
  mkdir "$work/$name"
  printf '%s\n' 0.001 0.002 0.004 0.02 0.05 0.1 0.3 0.004 0.4 >"$work/$name/Reference.txt"
  args=$([ $name = fast ] && echo "--repeat 3" || echo "B1 B2 B5 --repeat 2")
  # shellcheck disable=SC2086
  TALLYFORGE_TEST_SHORT_WORK=1 "$hooks" -C "$work/$name" $args --json "$work/$name.json" \
    >/dev/null 2>&1 || { echo "FAIL: $hooks $args exited $?"; exit 1; }
done
sed 's/"ticks": \([0-9]\)/"ticks": 9\1/' "$work/fast.json" >"$work/edited.json"
(cd "$work" && "$cli" report fast.json slow.json edited.json -o report.html && "$cli" report \
  fast.json slow.json edited.json -o svg/) >/dev/null || { echo "FAIL: report exited $?"; exit 1; }

"$browser" --headless --no-sandbox --disable-gpu --hide-scrollbars --user-data-dir="$work/profile" \
  --enable-logging=stderr --v=0 --window-size=1000,1500 --screenshot="$work/report.png" \
  "file://$work/report.html" >"$work/browser.log" 2>&1
[ -s "$work/report.png" ] || { cat "$work/browser.log"; echo "FAIL: no screenshot"; exit 1; }
grep -E 'CONSOLE|Uncaught|Refused to' "$work/browser.log" && fail "the console reported the above"
if [ -n "${TALLYFORGE_SCREENSHOT_DIR:-}" ]; then
  mkdir -p "$TALLYFORGE_SCREENSHOT_DIR" && cp "$work/report.png" "$TALLYFORGE_SCREENSHOT_DIR/report.png"
fi

python3 - "$work/report.png" "$work"/svg/*.svg <<'PY' || failed=1
import struct, sys, zlib
import xml.dom.minidom

def pixels(path):
    """The RGB(A) rows of an 8-bit, non-interlaced PNG, as bytes."""
    data = open(path, 'rb').read()
    at, idat = 8, b''
    while at < len(data):
        length, kind = struct.unpack('>I4s', data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b'IHDR':
            width, height, depth, colour = struct.unpack('>IIBB', body[:10])
        elif kind == b'IDAT':
            idat += body
        at += 12 + length
    assert depth == 8 and colour in (2, 6), (depth, colour)
    step = 3 if colour == 2 else 4
    raw, stride, rows, prev = zlib.decompress(idat), width * step, [], bytearray(width * step)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - step] if i >= step else 0
            b, c = prev[i], prev[i - step] if i >= step else 0
            if kind == 1: line[i] = (line[i] + a) & 255
            elif kind == 2: line[i] = (line[i] + b) & 255
            elif kind == 3: line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        prev = line
    return [(r[i], r[i + 1], r[i + 2]) for r in rows for i in range(0, stride, step)]

counts = {'baseline bars (#4477aa)': 0, 'failed hatching (#cc0000)': 0, 'text (dark)': 0}
for r, g, b in pixels(sys.argv[1]):
    if abs(r - 0x44) < 8 and abs(g - 0x77) < 8 and abs(b - 0xaa) < 8:
        counts['baseline bars (#4477aa)'] += 1
    elif r > 0xc0 and g < 0x20 and b < 0x20:
        counts['failed hatching (#cc0000)'] += 1
    elif r + g + b < 150:
        counts['text (dark)'] += 1
least = {'baseline bars (#4477aa)': 3000, 'failed hatching (#cc0000)': 300, 'text (dark)': 10000}
bad = [f'{what}: {n} pixels, expected at least {least[what]}' for what, n in counts.items()
       if n < least[what]]
for path in sys.argv[2:]:
    try:
        xml.dom.minidom.parse(path)
    except Exception as error:
        bad.append(f'{path}: not well-formed XML: {error}')
print('\n'.join('FAIL: ' + b for b in bad) or f'pixels: {counts}')
sys.exit(1 if bad else 0)
PY
[ $failed -eq 0 ] && echo PASS
exit $failed
