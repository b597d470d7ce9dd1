#!/usr/bin/env python3
"""Reads the real main window under Wine (outer size, every control's
rectangle and its text through WM_GETTEXT) and compares it with the control
table, at the prefix's dots per inch; saves a screenshot of each page."""
import argparse
import subprocess

from wine_gui import (Failure, Probe, Wine, centre, click, click_control, fresh_folder, main_guarded, require,
                      screenshot, start_program, wait_for)


def set_dpi(args, dpi):
    """The prefix's display resolution, as the display settings set it."""
    for key in (r"HKCU\Control Panel\Desktop", r"HKCC\Software\Fonts"):
        subprocess.run([args.wine_run, args.prefix, "reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD",
                        "/d", str(dpi), "/f"], check=True, capture_output=True)


def check_record_list_width(probe):
    """Records added with "新增" until the vertical bar shows, then removed
    with "删除": the one column fills the list's width with and without that
    bar, and no horizontal bar shows for short records."""
    def change(button, step):
        count = len(probe.texts("List1"))
        require(0 < count + step < 30, f"the vertical bar never {'showed' if step > 0 else 'went'}")
        if step < 0:
            click(*centre(probe.rects("List1")[0]))
        click_control(probe, button)
        wait_for(f"{count + step} records", lambda: len(probe.texts("List1")) == count + step)

    for vertical, button, step in ((1, "Command14", 1), (0, "Command15", -1)):
        while probe.bars("List1")[1] != vertical:
            change(button, step)
        wait_for(f"the column to fit with{'' if vertical else 'out'} the vertical bar",
                 lambda: (lambda h, v, column, client: not h and v == vertical and column == client)(
                     *probe.bars("List1")), timeout=10)


def main():
    parser = argparse.ArgumentParser()
    for option in ("wine-run", "prefix", "tavorin", "probe", "examples", "work", "artifacts"):
        parser.add_argument(f"--{option}", required=True)
    parser.add_argument("--dpi", type=int, default=96)
    args = parser.parse_args()
    wine = Wine(args.wine_run, args.prefix)

    def body():
        try:
            set_dpi(args, args.dpi)
            work = fresh_folder(args.work)
            probe = Probe(wine, args.probe)
            window = start_program(wine, probe, args.tavorin, work)
            require(window[4] == args.dpi, f"the window reports {window[4]} dpi, not {args.dpi}")
            answer = probe.ask("layout")
            mismatches = [line for line in answer if line.startswith("mismatch")]
            checked = int(answer[-1].split()[1])
            print(f"compared {checked} items with the control table at {args.dpi} dpi")
            require(not mismatches, "\n".join(mismatches))
            require(checked > 60, f"only {checked} items were compared")
            check_record_list_width(probe)
            tabs = probe.rects("TabStrip1")
            require(len(tabs) == 4, f"{len(tabs)} tabs")
            for index, tab in enumerate(tabs):
                click(*centre(tab))
                wait_for(f"page {index}", lambda: probe.controls()[f"PicPage({index})"]["visible"])
                screenshot(f"{args.artifacts}/layout_{args.dpi}dpi_page{index}.png", probe.main()[:4])
        finally:
            wine.stop_all()

    main_guarded(body)


if __name__ == "__main__":
    main()
