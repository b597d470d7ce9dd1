#!/usr/bin/env python3
"""Screen waits under Wine: a drag in the position picker over the slow
target's ready form adds «等候画面» for exactly that rectangle, a click still
adds «点击位置»; a run that waits for the form before each record delivers
every record in order as fast as the target allows; with the target stuck,
the run stops after T seconds and says why."""
import argparse
import re
import subprocess
import time

from gui_end_to_end_test import Session, list_file_bytes
from wine_gui import (Probe, activate_window_titled, click_control, require, start_program, wait_for, x_window_shown,
                      xdotool)

RECORDS = [f"第{n}条：张三丰来访登记" for n in range(1, 9)]
# What the lines of a pass pause for themselves: copy, click, paste and key
# each settle for 2 × 50 ms (the last 100 ms overlap the target's delay).
LINE_PAUSES = 0.4
# Two presses at one spot closer than the double-click time (500 ms in Wine)
# are a double-click: the run keeps its passes' clicks this far apart.
CLICKS_APART = 0.55
WAIT_SECONDS = 10


class ScreenWaitSession(Session):
    def run(self):
        (self.work / "records.txt").write_bytes(list_file_bytes(RECORDS))
        self.start_probe_and_program()
        self.import_file("Command5", "records.txt", "List1")
        self.show_page(2, "page2_actions_empty")
        field, area, _ = self.start_target()
        wait_line = self.pick(area[0], area[1], area[0] + area[2] - 1, area[1] + area[3] - 1)
        require(re.fullmatch(rf"等候画面 {' '.join(map(str, area))} {WAIT_SECONDS} [A-Za-z0-9_-]+", wait_line)
                and len(set(wait_line.split()[-1])) > 2, f"the drag added {wait_line!r} for the area {area}")
        click_line = self.pick(*field, *field)
        require(click_line == f"点击位置 {field[0]} {field[1]}", f"the click added {click_line!r}")

        actions = [wait_line, click_line, "复制内容", "粘贴内容", "按下按键 13"]
        (self.work / "actions.txt").write_bytes(list_file_bytes(actions))
        self.import_file("Command8", "actions.txt", "List3")
        started = self.start_run()
        wait_for("the end of the run", lambda: self.probe.main_shown() or self.probe.window("错误"), timeout=120)
        box = self.probe.window("错误")
        require(box is None, f"the run ended with the error {box and [c['text'] for c in box['children']]}")
        records, shown = self.target_log(len(RECORDS))
        require([text for text, _ in records] == RECORDS, f"the target received {self.received.read_text('utf-8')}")
        took = records[-1][1] - started
        # The target's own delays: from each record until its form showed
        # again; a short one leaves the next click waiting for the last.
        delays = [shown[i] - records[i][1] for i in range(len(RECORDS) - 1)]
        allowed = 1.1 * (LINE_PAUSES + sum(max(delay + LINE_PAUSES, CLICKS_APART) for delay in delays))
        delays = sum(delays)
        print(f"{len(RECORDS)} records in {took:.2f} s; the target's delays {delays:.2f} s, allowed {allowed:.2f} s")
        require(took <= allowed, f"the run took {took:.2f} s, more than {allowed:.2f} s")

        self.wine.processes.pop().terminate()
        wait_for("the first target to go", lambda: not x_window_shown("Slow form"))
        # Reloading at once, the form would take the second pass's click for
        # the second half of a double-click with the first's.
        _, again, _ = self.start_target("stuck-after", 2, "delay", 150)
        require(again == area, f"the target came back at {again}, not {area}")
        self.start_run()
        box = wait_for("the timeout's error box", lambda: self.probe.window("错误"), timeout=60)
        shown = time.time()
        records, _ = self.target_log(2)
        require([text for text, _ in records] == RECORDS[:2], f"the target received {self.received.read_text('utf-8')}")
        texts = [c["text"] for c in box["children"]]
        message = f"第 1 行等候画面超时（{WAIT_SECONDS} 秒）：画面与记录时不同。执行已停止：已完成 2 次，共 {len(RECORDS)} 次。"
        require(message in texts, f"the box says {texts}")
        waited = shown - records[-1][1]
        print(f"the box came {waited:.2f} s after the last record")
        require(WAIT_SECONDS <= waited <= WAIT_SECONDS + 2, f"the box came {waited:.2f} s after the last record")
        self.shot("dialog_screen_wait_timeout", box["rect"])

    def start_probe_and_program(self):
        self.probe = Probe(self.wine, self.args.probe)
        start_program(self.wine, self.probe, self.args.tavorin, self.work)

    def start_target(self, *args):
        """Starts the slow form; its field's centre, its form's area and its
        log file."""
        self.received = self.work / ("received_stuck.txt" if args else "received.txt")
        target = self.wine.start(self.args.target, self.received, *args, cwd=self.work, stdout=subprocess.PIPE)
        ready = target.stdout.readline().decode().split()
        require(ready[:1] == ["ready"] and len(ready) == 7, f"the slow form said {ready}")
        wait_for("the slow form's X window", lambda: x_window_shown("Slow form"))
        numbers = list(map(int, ready[1:]))
        return numbers[:2], numbers[2:], self.received

    def target_log(self, count):
        """The records the target received, once there are `count`, with their
        arrival times, and the times its form showed again."""
        def read():
            lines = self.received.read_text("utf-8").splitlines() if self.received.exists() else []
            records = [(line[7:].rsplit(" ", 1)[0], float(line.rsplit(" ", 1)[1]))
                       for line in lines if line.startswith("record ")]
            shown = [float(line[6:]) for line in lines if line.startswith("shown ")]
            require("double-click" not in "".join(lines), f"the target saw a double-click: {lines}")
            return (records, shown) if len(records) >= count else None
        return wait_for(f"{count} records at the target", read)

    def pick(self, x0, y0, x1, y1):
        """Opens the picker, presses at (x0, y0) and lets go at (x1, y1);
        returns the line it added."""
        before = self.probe.texts("List3")
        click_control(self.probe, "Command6(2)")
        picker = wait_for("the position picker", self.probe.picker)
        wait_for("the picker's X window", lambda: x_window_shown("Form2"))
        self.shot("picker_hint", picker)

        def drag():
            xdotool("mousemove", "--sync", x0, y0)
            xdotool("mousedown", 1)
            xdotool("mousemove", "--sync", (x0 + x1) // 2, (y0 + y1) // 2)
            xdotool("mousemove", "--sync", x1, y1)
            xdotool("mouseup", 1)
        drag()
        # Wine now and then drops the first press on a window it has just
        # mapped; a user tries again.
        tries = [time.monotonic()]

        def main_back():
            if self.probe.main_shown():
                return True
            if time.monotonic() - tries[-1] > 5 and self.probe.picker():
                drag()
                tries.append(time.monotonic())
            return False
        wait_for("the main window after the picker", main_back)
        require(len(tries) <= 3, f"the picker took {len(tries)} tries")
        after = wait_for("a new action line", lambda: (lambda t: t if len(t) == len(before) + 1 else None)(
            self.probe.texts("List3")))
        require(after[:-1] == before, f"the list became {after}")
        return after[-1]

    def start_run(self):
        """Presses "启动" and confirms; the time of the confirmation."""
        click_control(self.probe, "Command7")
        wait_for("the confirmation", lambda: self.probe.window("开始"))
        activate_window_titled("开始")
        started = time.time()
        xdotool("key", "Return")
        # Until the window hides, it still shows from before the run.
        wait_for("the main window to hide for the run", lambda: self.probe.main_shown() is None)
        return started


def main():
    parser = argparse.ArgumentParser()
    for option in ("wine-run", "prefix", "tavorin", "probe", "examples", "work", "artifacts", "target"):
        parser.add_argument(f"--{option}", required=True)
    ScreenWaitSession(parser.parse_args()).run_guarded("screen_wait_failure.png")


if __name__ == "__main__":
    main()
