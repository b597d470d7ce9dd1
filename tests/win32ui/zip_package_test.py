#!/usr/bin/env python3
"""Makes the Windows zip with cpack, unpacks it into a fresh Wine prefix's
drive C, checks what it holds and that the program imports only system DLLs,
then starts the program from there and loads the sample records through its
"导入" button."""
import argparse
import subprocess
import zipfile
from pathlib import Path

from gui_end_to_end_test import list_file_lines
from wine_gui import (Probe, Wine, activate_window_titled, click_control, fresh_folder, main_guarded,
                      require, start_program, wait_for, xdotool)

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll", "shell32.dll",
               "msvcrt.dll", "advapi32.dll", "ole32.dll", "shlwapi.dll", "imm32.dll", "winmm.dll"}
CONTENTS = {"tavorin.exe", "records.txt", "actions.txt", "说明.txt"}


def imported_dlls(exe, objdump):
    dump = subprocess.run([objdump, "-p", str(exe)], check=True, capture_output=True, text=True).stdout
    return {line.split(":", 1)[1].strip().lower() for line in dump.splitlines() if "DLL Name:" in line}


def main():
    parser = argparse.ArgumentParser()
    for option in ("wine-run", "build", "probe", "objdump", "work"):
        parser.add_argument(f"--{option}", required=True)
    args = parser.parse_args()
    work = fresh_folder(args.work)
    prefix = work / "prefix"
    wine = Wine(args.wine_run, prefix)

    def body():
        try:
            subprocess.run(["cpack", "-B", str(work / "package")], cwd=args.build, check=True,
                           capture_output=True)
            zips = list((work / "package").glob("*.zip"))
            require(len(zips) == 1, f"cpack made {len(zips)} zip files")
            # The probe's first start makes the fresh prefix.
            probe = Probe(wine, args.probe)
            with zipfile.ZipFile(zips[0]) as archive:
                names = {Path(name).name for name in archive.namelist() if not name.endswith("/")}
                require(names == CONTENTS, f"the zip holds {sorted(names)}")
                archive.extractall(prefix / "drive_c")
            folder = next((prefix / "drive_c").glob("Tavorin-*"))
            exe = folder / "tavorin.exe"
            foreign = imported_dlls(exe, args.objdump) - SYSTEM_DLLS
            require(not foreign, f"tavorin.exe needs {sorted(foreign)}")
            note = (folder / "说明.txt").read_bytes()
            require(note.startswith(b"\xef\xbb\xbf") and "tavorin.exe" in note.decode("utf-8-sig"),
                    "说明.txt is no UTF-8 note naming the program")

            start_program(wine, probe, exe, folder)
            require(probe.controls()["Command5"]["text"] == "导入", "the window has no \"导入\" button")
            expected = list_file_lines(folder / "records.txt")
            click_control(probe, "Command5")
            wait_for("the file dialog", lambda: probe.window("导入"))
            activate_window_titled("导入")
            xdotool("type", "--delay", 30, "records.txt")
            xdotool("key", "Return")
            wait_for("the sample records in the list", lambda: probe.texts("List1") == expected)
        finally:
            wine.stop_all()

    main_guarded(body)


if __name__ == "__main__":
    main()
