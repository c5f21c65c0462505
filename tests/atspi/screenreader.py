#!/usr/bin/python3
"""A lesson heard as a screen reader hears it: the real program on an X server, driven by key
presses alone (xdotool), read through the accessibility bus (pyatspi). It checks what a blind
learner depends on: the two numbers read and announced without flooding, a record read from the
table, and the graph's text alternative; and it prints what a screen reader reads at six moments.

    screenreader.py PATH/TO/ichijikansu      (DISPLAY and a session bus must be there)

Exit code 0 when every check passed, 1 when one failed.
"""

import os
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import GLib  # noqa: E402
import pyatspi  # noqa: E402

TITLE = "一次関数"
# The bus, not the program, failed: the caller may start afresh once.
NOT_ON_THE_BUS = 3
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print(f"screenreader: FAIL: {what}", flush=True)
    return condition


def pump(seconds):
    """Lets the bus deliver events for a while; libatspi only dispatches from the main context."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.01)


def until(condition, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        pump(0.05)
        if condition():
            return True
    return False


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def find(root, role, name, interface=None):
    for node in descendants(root):
        if node.getRoleName() == role and node.name == name:
            if interface is None or interface in pyatspi.utils.listInterfaces(node):
                return node
    return None


def still(read):
    """The same reading twice, a quarter of a second apart."""
    first = read()
    pump(0.25)
    return read() == first


def text_of(node):
    return node.queryText().getText(0, -1)


def key(*keys):
    subprocess.run(["xdotool", "key", "--clearmodifiers", "--delay", "60", *keys], check=True)
    pump(0.25)


class Heard:
    """The events a screen reader would be told of, per source."""

    def __init__(self):
        self.events = []

    def __call__(self, event):
        self.events.append((event.type, event.source, event.any_data))

    def said(self, source):
        """The text a source last announced."""
        inserted = [data for kind, s, data in self.events
                    if kind.startswith("object:text-changed:insert") and s == source]
        return inserted[-1] if inserted else None

    def count(self, source, kind):
        return sum(1 for kind_, s, _ in self.events if kind_.startswith(kind) and s == source)


def main():
    program = sys.argv[1]
    err = tempfile.TemporaryFile()
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="C.UTF-8")
    process = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=err)
    try:
        return lesson(process, err)
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()


def lesson(process, err):
    app = None
    launched = time.monotonic()
    end = launched + 60  # a sanitizer build starts slowly on a busy machine
    while app is None and time.monotonic() < end and process.poll() is None:
        for candidate in pyatspi.Registry.getDesktop(0):
            if candidate is not None and candidate.get_process_id() == process.pid:
                app = candidate
        time.sleep(0.1)
    if app is None:
        err.seek(0)
        print(f"screenreader: the program never appeared on the accessibility bus (exit code {process.poll()})\n"
              f"{err.read().decode(errors='replace')[:2000]}", flush=True)
        return NOT_ON_THE_BUS
    print(f"screenreader: on the accessibility bus after {time.monotonic() - launched:.1f} s", flush=True)
    until(lambda: find(app, "frame", TITLE) is not None, 10)
    frame = find(app, "frame", TITLE)
    if not check(frame is not None, f"no frame named {TITLE}"):
        return 1
    time_box = find(frame, "text", "経過時間", "Value")
    volume_box = find(frame, "text", "水の容量", "Value")
    table = find(frame, "table", "記録")
    graph = find(frame, "image", "グラフ")
    live_switch = find(frame, "check box", "グラフ自動描画")
    if not check(None not in (time_box, volume_box, table, graph, live_switch),
                 "the numbers, the table, the graph or the live-line switch are missing"):
        return 1

    heard = Heard()
    pyatspi.Registry.registerEventListener(heard, "object:property-change:accessible-value",
                                           "object:property-change:accessible-description", "object:text-changed")
    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", f"^{TITLE}$"],
                            capture_output=True, text=True, timeout=10).stdout.split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
    pump(0.5)

    def numbers():
        return text_of(time_box), text_of(volume_box)

    def say(moment):
        t, v = numbers()
        print(f"screenreader: {moment}: 経過時間 {t} (value {time_box.queryValue().currentValue:g}), "
              f"水の容量 {v} (value {volume_box.queryValue().currentValue:g}); グラフ: {graph.description}",
              flush=True)

    say("1 at the start")
    check(numbers() == ("0.0", "0.0"), f"the numbers read {numbers()} at the start")
    check(graph.description == "グラフに点はありません。", "the empty graph is not described as empty")

    # Initial amount 2 (three places back from 水を入れる), time step 2 (four on), then start.
    key("shift+Tab", "shift+Tab", "shift+Tab", "Down", "Down", "Tab", "Tab", "Tab")
    key("Tab", "Tab", "Tab", "Tab", "Down", "shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab", "space")
    started = time.monotonic()
    check(until(lambda: time_box.queryValue().currentValue >= 3.0, 20), "the time never reached 3.0")
    say("2 while the water runs")
    units = time_box.queryValue().currentValue
    told = heard.count(time_box, "object:property-change:accessible-value")
    print(f"screenreader: 経過時間 announced its value {told} times over {units:g} units of time "
          f"({time.monotonic() - started:.1f} s)", flush=True)
    check(told >= int(units), f"only {told} value events for {units:g} whole units")
    check(told <= 2 * int(units) + 4, f"{told} value events for {units:g} units of time: a flood")

    key("Tab", "space")  # 水を止める
    check(until(lambda: still(numbers), 10), "the numbers still change after 水を止める")
    t, v = numbers()
    say("3 after 水を止める")
    told_after_stop = heard.count(time_box, "object:property-change:accessible-value")
    last = (heard.said(time_box), heard.said(volume_box))
    check(last == (t, v), f"the last numbers announced, {last}, are not the ({t}, {v}) shown at the stop")
    pump(1.0)
    check(heard.count(time_box, "object:property-change:accessible-value") == told_after_stop,
          "value events after the stop")
    check(f"{time_box.queryValue().currentValue:.1f}" == t, "the value and the text of 経過時間 differ")

    key("Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "space")  # past the two numbers to → 記録する →
    grid = table.queryTable()
    until(lambda: text_of(grid.getAccessibleAt(1, 0)) != "", 5)
    cells = [[text_of(grid.getAccessibleAt(row, column)) for column in range(2)] for row in range(2)]
    print(f"screenreader: 4 after the record: 表 {grid.nRows} 行 {grid.nColumns} 列, "
          f"{grid.getRowHeader(0).name} {cells[0]}, {grid.getRowHeader(1).name} {cells[1]}, "
          f"列 {grid.getColumnHeader(0).name}", flush=True)
    check((grid.nRows, grid.nColumns) == (2, 10), "the table is not 2 by 10")
    check((grid.getRowHeader(0).name, grid.getRowHeader(1).name) == ("ｘ座標", "ｙ座標"), "row headers")
    check(grid.getColumnHeader(0).name == "1" and grid.getColumnHeader(9).name == "10", "column headers")
    check(cells == [[t, ""], [v, ""]], f"the table reads {cells}, not the record ({t}, {v})")

    # 点をグラフへ, 点を線で結ぶ, then past the list and 自動記録 to the live-line switch.
    key("Tab", "space", "Tab", "space", "Tab", "Tab", "Tab", "space")
    until(lambda: live_switch.getState().contains(pyatspi.STATE_CHECKED), 5)
    check(live_switch.getState().contains(pyatspi.STATE_CHECKED), "the live-line switch is not checked")
    expected = (f"グラフに点が 1 個あります: ({t}、{v})。点は (0.0、2.0) から記録の順に線で結ばれています。"
                f"自動描画の線が (0.0、2.0) から ({t}、{v}) まで引かれています。")
    until(lambda: graph.description == expected, 5)
    say("5 plotted, joined, live line on")
    check(graph.description == expected, f"the graph reads {graph.description!r}, not {expected!r}")

    # The switch's own action is a click: the line goes off as it would from the keyboard.
    action = live_switch.queryAction()
    action.doAction([action.getName(i) for i in range(action.nActions)].index("Toggle"))
    until(lambda: "自動描画" not in graph.description, 5)
    check(not live_switch.getState().contains(pyatspi.STATE_CHECKED), "the toggle action left the switch on")
    check("自動描画" not in graph.description, "the toggle action left the live line on the graph")

    key("Tab", "Tab", "Tab", "space")  # はじめから
    until(lambda: numbers() == ("0.0", "0.0") and text_of(grid.getAccessibleAt(0, 0)) == "", 5)
    say("6 after はじめから")
    check(numbers() == ("0.0", "0.0"), f"the numbers read {numbers()} after はじめから")
    check(text_of(grid.getAccessibleAt(0, 0)) == "", "the record is still in the table after はじめから")
    check(graph.description == "グラフに点はありません。", "the graph is not empty after はじめから")

    key("Tab", "space")  # お　わ　る
    try:
        code = process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        code = None
    check(code == 0, f"お　わ　る did not end the program with exit code 0 ({code})")
    err.seek(0)
    messages = err.read().decode(errors="replace").strip()
    check(messages == "", f"the program wrote to standard error:\n{messages[:2000]}")
    print(f"screenreader: {'PASS' if not failures else f'{len(failures)} checks FAILED'}", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
