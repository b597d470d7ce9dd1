#!/usr/bin/env python3
"""Reads the real main window under Wine (outer size, every control's
rectangle and its text through WM_GETTEXT) and compares it with the control
table, at the prefix's dots per inch; saves a screenshot of each page."""
import argparse
import subprocess

from wine_gui import (Failure, Probe, Wine, centre, click, fresh_folder, main_guarded, require,
                      screenshot, wait_for)


def set_dpi(args, dpi):
    """The prefix's display resolution, as the display settings set it."""
    for key in (r"HKCU\Control Panel\Desktop", r"HKCC\Software\Fonts"):
        subprocess.run([args.wine_run, args.prefix, "reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD",
                        "/d", str(dpi), "/f"], check=True, capture_output=True)


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
            wine.start(args.tavorin, cwd=work)
            window = wait_for("the main window", probe.main_shown)
            require(window[4] == args.dpi, f"the window reports {window[4]} dpi, not {args.dpi}")
            answer = probe.ask("layout")
            mismatches = [line for line in answer if line.startswith("mismatch")]
            checked = int(answer[-1].split()[1])
            print(f"compared {checked} items with the control table at {args.dpi} dpi")
            require(not mismatches, "\n".join(mismatches))
            require(checked > 60, f"only {checked} items were compared")
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
