"""Checks what Orca said during the lesson: each moment, in order. Prints the utterances around
each moment, so a failure shows what was said instead. With the program's own output, checks
that Qt found the accessible tree it was asked about whole."""
import re
import sys

spoken = [line.rstrip("\n") for line in open(sys.argv[1], encoding="utf-8")]
page = len(sys.argv) > 2 and sys.argv[2] == "page"
program_log = sys.argv[3] if len(sys.argv) > 3 else None

# (what the moment is, a pattern one utterance must match), in the order of the lesson.
MOMENTS = [
    ("the start", r"水を入れます。"),
    # The desktop says the name and then the number; the browser says them as one.
    *([("the elapsed time, read by Tab", r"^経過時間 read only entry \d+\.\d\.?$")] if page else
      [("the elapsed time, read by Tab", r"^経過時間 read only text\.$"), ("its number", r"^\d+\.\d\.?$")]),
    ("the record", r"記録 1: 時間 \d+\.\d、水の量 \d+\.\d。"),
    ("the stop", r"水が止まりました。経過時間 \d+\.\d、水の容量 \d+\.\d。"),
    ("the reset", r"はじめにもどしました。"),
    # The desktop says the message as its box opens and where the water stopped once it is
    # closed; the page says both as the box opens, in one alert.
    *([("the full tank's message, then its time and volume",
        r"^だれじゃ！水をこぼすのは\(\^_\^;\) 水が止まりました。経過時間 4\.0、水の容量 20\.0。$")] if page else
      [("the full tank's message", r"だれじゃ！水をこぼすのは\(\^_\^;\)"),
       ("the full tank's time and volume", r"水が止まりました。経過時間 4\.0、水の容量 20\.0。")]),
]

at = 0
failed = 0
for moment, pattern in MOMENTS:
    found = next((i for i in range(at, len(spoken)) if re.search(pattern, spoken[i])), None)
    if found is None:
        print(f"orca: FAIL: {moment} was not heard after: {spoken[max(at - 1, 0):at + 3]}")
        failed += 1
        continue
    print(f"orca: {moment}: '{spoken[found]}'")
    at = found + 1

# The message is said once: not again as the box's description, nor again as the browser tells
# of its box a second time.
if sum("だれじゃ" in line for line in spoken) != 1:
    print("orca: FAIL: the full tank's message was said more than once")
    failed += 1

# Closing the message puts the focus where the program puts it, silently: the lists it uncovers
# are not read out as if the learner had moved onto them, up to the next key.
KEY_ECHO = re.compile(r"^[^']+ ' \{'established")
LISTS = re.compile(r"list box|^(時間|当たりの水の量|最初の水の量)[. ]")
closed = next((i for i in range(len(spoken) - 1, -1, -1) if spoken[i].startswith("return ' {")), None)
if closed is None:
    print("orca: FAIL: the message's OK was never pressed")
    failed += 1
else:
    after = []
    for line in spoken[closed + 1:]:
        if KEY_ECHO.match(line):
            break
        after.append(line)
    if any(LISTS.search(line) for line in after):
        print(f"orca: FAIL: the lists were read out as the message closed: {after}")
        failed += 1

# Qt complains on its error output when a screen reader asks for a child that the interface of
# its parent does not count ("Fix my children"): the tree a screen reader walks is then broken.
if program_log is not None:
    program_lines = [line.strip() for line in open(program_log, encoding="utf-8", errors="replace")]
    complaints = [line for line in program_lines if "Fix my children" in line]
    if complaints:
        print(f"orca: FAIL: Qt could not place {len(complaints)} children in the tree: {complaints[0]}")
        failed += 1
    # Qt offers each key, pressed and released, to the screen reader and waits 100 ms for its
    # answer ("keyEventError" when it gives up; the key goes on). Orca answers when it has
    # finished what it was doing: a key's release can wait on the focus move its press made, 150
    # to 190 ms here for a list's row and up to 550 ms against the sanitizer build. Told for the
    # record; the program's own share, its answers and the events it sends during a run, is
    # measured and tested apart.
    if not page:
        late = sum("keyEventError" in line for line in program_lines)
        print(f"orca: keys Qt stopped waiting on for the screen reader: {late}")

print(f"orca: {len(spoken)} utterances, {failed} moments missed")
sys.exit(1 if failed else 0)
