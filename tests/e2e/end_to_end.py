#!/usr/bin/env python3
"""Uses the built program on a real X server as a person would, and checks what it shows.

Starts a private Xvfb with openbox as its window manager, starts the bundle's velmora on it,
asks the window manager to close the splash (Alt+F4), which must leave it up, waits for the
calculator, clicks "Calculate" with empty fields and expects a message box that belongs to
the calculator, types a height and a weight with real key events, clicks "Calculate", and
compares the window's pixels with the same state rendered offscreen by velmora_e2e_reference.
On the way, a menu opened and closed
and a click on the window's background must leave the keyboard where it was. Then opens the
description with "Information", minimises it and expects "Information" to
bring it back, quits with Ctrl+Q and expects status 0 within the quit bound. Pictures and
the program's output stay in the output folder.
"""

from __future__ import annotations

import argparse
import signal
import subprocess
import sys
import time
from pathlib import Path

# The shared module is imported from the source tree, which keeps no compiled copy.
sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parent))

import xsession  # noqa: E402
from xsession import Failure, Image, Program, XServer  # noqa: E402

FEET, INCHES, POUNDS = "5", "10", "150"

# Content areas compared with the offscreen rendering: (name, left, top, width, height).
RESULT_AREA = ("result line", 61, 178, 590, 22)
FIELD_AREAS = [
    ("feet field", 151, 100, 40, 20),
    ("inches field", 301, 101, 40, 20),
    ("weight field", 590, 101, 40, 20),
]
# Antialiased edges may differ by a few levels; a changed glyph changes dozens of pixels.
CHANNEL_TOLERANCE = 40
MAX_DIFFERING_PIXELS = 12
# The result line in bold 14 px text covers well over a thousand dark pixels.
MIN_DARK_PIXELS = 300
DARK_LEVEL = 96
WHITE = b"\xff\xff\xff"
# A point inside the grey input panel with nothing drawn over it.
PANEL_POINT = (350, 130)
# A point of the window's white background, away from every control.
BACKGROUND_POINT = (660, 220)
# Menu titles stand apart by more than this many pixel columns; letters within one, by fewer.
TITLE_GAP = 6
PANEL_GREY = b"\xe6\xe6\xe6"
# A menu bar one line of text high, whatever the desktop's font and style.
MENU_HEIGHT_RANGE = (1, 40)

# The box for a weight out of range: its title and the key that dismisses it.
MESSAGE_TITLE = "Velmora"
DISMISS_KEY = "Return"

SPLASH_SECONDS = 30.0  # start-up under a sanitizer on a loaded machine
CALCULATOR_SECONDS = 15.0
STEP_SECONDS = 10.0


def log(message: str) -> None:
    print(message, flush=True)


class EndToEnd:
    def __init__(self, options: argparse.Namespace) -> None:
        self.options = options
        self.output: Path = options.output
        self.server: XServer | None = None
        self.program: Program | None = None
        self.pictures: list[Path] = []
        self.clock = time.monotonic()
        self.reported = False
        self.last_shot: Image | None = None
        self.last_difference = 0

    def elapsed(self) -> str:
        return f"{time.monotonic() - self.clock:6.2f} s"

    def keep(self, image: Image, name: str) -> Path:
        path = self.output / name
        image.save_png(path)
        self.pictures.append(path)
        return path

    def start_reference(self) -> subprocess.Popen:
        # Runs beside the X session: it lives through the same 1.5 s splash.
        return subprocess.Popen(
            [
                str(self.options.reference),
                str(self.options.velmora),
                str(self.output / "reference.ppm"),
                FEET,
                INCHES,
                POUNDS,
            ],
            stdin=subprocess.DEVNULL,
            stdout=subprocess.PIPE,
            stderr=subprocess.PIPE,
            preexec_fn=xsession.die_with_parent,
        )

    def finish_reference(self, process: subprocess.Popen) -> tuple[Image, int]:
        try:
            out, err = process.communicate(timeout=60)
        except subprocess.TimeoutExpired:
            process.kill()
            process.communicate()
            raise Failure("the offscreen reference did not finish within 60 s")
        if process.returncode != 0:
            raise Failure(f"the offscreen reference failed ({process.returncode}): {err.decode(errors='replace')}")
        # "frame <w> <h> content <x> <y> <w> <h>"
        words = out.decode().split()
        if len(words) != 8 or words[0] != "frame" or words[3] != "content":
            raise Failure(f"the offscreen reference said: {out.decode()!r}")
        image = Image.load_ppm(self.output / "reference.ppm")
        self.keep(image, "reference.png")
        return image, int(words[5])

    def run(self) -> None:
        self.output.mkdir(parents=True, exist_ok=True)
        for stale in self.output.glob("*.png"):
            stale.unlink()
        reference_process = self.start_reference()
        try:
            with (
                XServer(self.output / "xvfb.log", window_manager=True) as server,
                Program(server, self.options.velmora, self.output / "velmora.log") as program,
            ):
                self.server, self.program = server, program
                log(f"{self.elapsed()}  Xvfb on {server.display}; velmora started (pid {program.pid()})")
                try:
                    self.use(server, program, reference_process)
                except Failure as failure:
                    # While the X server still runs, so its windows can be listed.
                    self.report(failure)
                    raise
        finally:
            if reference_process.poll() is None:
                reference_process.kill()
                reference_process.communicate()

    def use(self, server: XServer, program: Program, reference_process: subprocess.Popen) -> None:
        # 1. The splash, then the calculator in its place.
        def splash_or_early_calculator():
            windows = program.visible_windows()
            if any(xsession.is_calculator(w) for w in windows) and not any(xsession.is_splash(w) for w in windows):
                raise Failure("the calculator appeared without a splash before it")
            return next((w for w in windows if xsession.is_splash(w)), None)

        splash = xsession.wait_until(splash_or_early_calculator, SPLASH_SECONDS, "the splash (a 300x200 window)")
        splash_seen = time.monotonic()
        log(f"{self.elapsed()}  splash {splash.width}x{splash.height} (window {splash.id})")

        # A close request from the window manager: the splash has no close box and stays.
        # Closed, its window would be gone, and the timer would make a new About window.
        server.xdotool("windowactivate", "--sync", str(splash.id), check=False)
        xsession.wait_until(
            lambda: server.focused_window() == splash.id, STEP_SECONDS, "the splash to get the keyboard"
        )
        server.xdotool("key", "alt+F4")
        log(f"{self.elapsed()}  Alt+F4 on the splash")

        calculator = xsession.wait_until(
            lambda: program.find_window(xsession.is_calculator), CALCULATOR_SECONDS, 'the window "Velmora"'
        )
        log(
            f"{self.elapsed()}  calculator {calculator.width}x{calculator.height} (window {calculator.id}), "
            f"{time.monotonic() - splash_seen:.2f} s after the splash was seen"
        )
        xsession.wait_until(
            lambda: not program.find_window(xsession.is_splash), STEP_SECONDS, "the splash to go away"
        )
        kept = server.exists(splash.id)
        if not kept:
            raise Failure("the splash closed on the window manager's close request")
        log(f"{self.elapsed()}  the splash stayed until the calculator took its place")
        xsession.wait_until(
            lambda: server.focused_window() == calculator.id, STEP_SECONDS, "the calculator to get the keyboard"
        )
        # The content lies at the bottom of the client window, below the menu bar.
        menu_height = calculator.height - xsession.CONTENT_HEIGHT
        self.check_menu_height(menu_height, "on X")

        # Mapped is not yet painted: wait for the input panel's grey before judging the picture.
        before = xsession.wait_until(
            lambda: self.painted(server, calculator, menu_height), STEP_SECONDS, "the calculator to be painted"
        )
        self.keep(before, "1-opened.png")
        blank = self.area(before, RESULT_AREA, menu_height)
        if blank.count(lambda c: c != WHITE) != 0:
            raise Failure("the result area is not blank when the calculator opens")

        # 2. "Calculate" with empty fields: a message box that belongs to the calculator, and
        #    once it is dismissed the keyboard is back in the calculator.
        self.click(calculator, xsession.CALCULATE_POINT, menu_height)
        box = xsession.wait_until(
            lambda: program.find_window(
                lambda w: w.title == MESSAGE_TITLE and w.id != calculator.id and not xsession.is_splash(w)
            ),
            STEP_SECONDS,
            "the message box",
        )
        owner = server.transient_for(box.id)
        if owner != calculator.id:
            raise Failure(f"the message box (window {box.id}) is transient for {owner}, not the calculator")
        log(f"{self.elapsed()}  message box {box.width}x{box.height} (window {box.id}) transient for the calculator")
        xsession.wait_until(
            lambda: server.focused_window() == box.id, STEP_SECONDS, "the message box to get the keyboard"
        )
        server.xdotool("key", DISMISS_KEY)
        xsession.wait_until(lambda: not server.viewable(box.id), STEP_SECONDS, "the message box to go")
        xsession.wait_until(
            lambda: server.focused_window() == calculator.id, STEP_SECONDS, "the calculator to get the keyboard back"
        )

        # 3. A height and a weight from the keyboard: focus starts in the feet field. The Edit
        #    menu opened with a click and closed by Escape twice, and a click on the window's
        #    background, leave the keyboard where it was: the digits go on into their fields.
        server.xdotool("type", "--delay", "20", FEET)
        server.xdotool("key", "Tab")
        self.click(calculator, self.menu_title(before, menu_height, 1), 0)
        menu = xsession.wait_until(
            lambda: program.find_window(lambda w: w.id != calculator.id and not xsession.is_splash(w)),
            STEP_SECONDS,
            "the Edit menu",
        )
        server.xdotool("key", "Escape")
        xsession.wait_until(lambda: not server.viewable(menu.id), STEP_SECONDS, "the Edit menu to close")
        server.xdotool("key", "Escape")
        server.xdotool("type", "--delay", "20", INCHES)
        self.click(calculator, BACKGROUND_POINT, menu_height)
        server.xdotool("key", "Tab")
        server.xdotool("type", "--delay", "20", POUNDS)
        log(
            f"{self.elapsed()}  typed {FEET}, Tab, opened and closed the Edit menu, typed {INCHES}, "
            f"clicked the background, typed Tab, {POUNDS}"
        )

        # 4. "Calculate", then the pointer leaves so no button is drawn hovered.
        self.click(calculator, xsession.CALCULATE_POINT, menu_height)
        reference, reference_menu_height = self.finish_reference(reference_process)
        self.check_menu_height(reference_menu_height, "offscreen")
        # The menu bar's height is the desktop's; the content is the program's.
        if (reference.width, reference.height - reference_menu_height) != (calculator.width, xsession.CONTENT_HEIGHT):
            raise Failure(
                f"the content is {calculator.width}x{xsession.CONTENT_HEIGHT} on X but "
                f"{reference.width}x{reference.height - reference_menu_height} offscreen"
            )
        if reference_menu_height != menu_height:
            log(f"{self.elapsed()}  the menu bar is {menu_height} px on X and {reference_menu_height} px offscreen")
        expected = self.area(reference, RESULT_AREA, reference_menu_height)
        if expected.count(lambda c: max(c) < DARK_LEVEL) < MIN_DARK_PIXELS:
            raise Failure("the offscreen reference shows no result line")

        try:
            shown = xsession.wait_until(
                lambda: self.result_matches(server, calculator, expected, menu_height),
                STEP_SECONDS,
                "the result line to match the offscreen rendering",
            )
        except Failure as failure:
            raise Failure(f"{failure}; {self.last_difference} pixels of the result line still differ") from None
        self.keep(shown, "2-result.png")
        result = self.area(shown, RESULT_AREA, menu_height)
        dark = result.count(lambda c: max(c) < DARK_LEVEL)
        if dark < MIN_DARK_PIXELS:
            raise Failure(f"the result line has only {dark} dark pixels")
        for area in FIELD_AREAS:
            differing = self.area(shown, area, menu_height).differing_pixels(
                self.area(reference, area, reference_menu_height), CHANNEL_TOLERANCE
            )
            if differing > MAX_DIFFERING_PIXELS:
                raise Failure(f"the {area[0]} differs from the offscreen rendering in {differing} pixels")
        whole = shown.differing_pixels(reference, CHANNEL_TOLERANCE)
        log(
            f"{self.elapsed()}  result line drawn ({dark} dark pixels) and equal to the offscreen rendering; "
            f"fields equal; {whole} of {shown.width * shown.height} pixels differ in the whole window"
        )

        # 5. "Information" acts on the press and opens the description.
        self.click(calculator, xsession.INFORMATION_POINT, menu_height)
        description = xsession.wait_until(
            lambda: program.find_window(xsession.is_description), STEP_SECONDS, 'the window "Description"'
        )
        log(f"{self.elapsed()}  Description {description.width}x{description.height} (window {description.id})")

        # 6. Minimised to the task bar, the description comes back on "Information".
        server.xdotool("windowminimize", "--sync", str(description.id))
        xsession.wait_until(
            lambda: server.wm_state(description.id) == "Iconic", STEP_SECONDS, "the description to be minimised"
        )
        self.click(calculator, xsession.INFORMATION_POINT, menu_height)
        try:
            xsession.wait_until(
                lambda: server.wm_state(description.id) == "Normal" and server.viewable(description.id),
                STEP_SECONDS,
                "the minimised description to come back",
            )
            back = True
        except Failure:
            back = False
        if not back:
            raise Failure('"Information" left the description minimised')
        log(f"{self.elapsed()}  the minimised description came back on Information")

        # 7. Ctrl+Q in the calculator ends the program with status 0.
        server.xdotool("windowactivate", "--sync", str(calculator.id), check=False)
        xsession.wait_until(
            lambda: server.focused_window() == calculator.id, STEP_SECONDS, "the calculator to get the keyboard back"
        )
        assert program.process is not None
        pressed = time.monotonic()
        server.xdotool("key", "ctrl+q")
        try:
            status = program.process.wait(timeout=max(0.0, pressed + self.options.quit_seconds - time.monotonic()))
        except subprocess.TimeoutExpired:
            raise Failure(f"velmora still runs {self.options.quit_seconds:.1f} s after Ctrl+Q")
        took = time.monotonic() - pressed
        if status != 0:
            raise Failure(f"velmora ended with status {status} after Ctrl+Q")
        log(f"{self.elapsed()}  Ctrl+Q: exit status 0 after {took:.3f} s (bound {self.options.quit_seconds:.1f} s)")

    @staticmethod
    def check_menu_height(height: int, where: str) -> None:
        # Derived from the window's height: a window of the wrong height shows here as an odd menu bar.
        low, high = MENU_HEIGHT_RANGE
        if not low <= height <= high:
            raise Failure(f"the menu bar is {height} px high {where}, not {low} to {high} px")

    @staticmethod
    def area(image: Image, area, menu_height: int) -> Image:
        _, left, top, width, height = area
        return image.crop(left, top + menu_height, width, height)

    @staticmethod
    def menu_title(shot: Image, menu_height: int, index: int) -> tuple[int, int]:
        """The middle of the menu bar's title of that index, found by its dark letters."""
        bar = shot.crop(0, 0, shot.width, menu_height)
        inked = [bar.crop(x, 0, 1, menu_height).count(lambda c: max(c) < DARK_LEVEL) > 0 for x in range(bar.width)]
        titles: list[list[int]] = []
        for x, ink in enumerate(inked):
            if not ink:
                continue
            if titles and x - titles[-1][1] <= TITLE_GAP:
                titles[-1][1] = x
            else:
                titles.append([x, x])
        if len(titles) <= index:
            raise Failure(f"the menu bar shows {len(titles)} titles, not {index + 1} or more")
        left, right = titles[index]
        return (left + right) // 2, menu_height // 2

    def click(self, window: xsession.Window, point: tuple[int, int], menu_height: int) -> None:
        assert self.server is not None
        x, y = point
        self.server.xdotool("mousemove", "--window", str(window.id), str(x), str(y + menu_height), "click", "1")
        self.server.xdotool("mousemove", "0", "0")

    def painted(self, server: XServer, window: xsession.Window, menu_height: int):
        shot = server.screenshot(window.id)
        self.last_shot = shot
        x, y = PANEL_POINT
        return shot if shot.crop(x, y + menu_height, 1, 1).pixels == PANEL_GREY else None

    def result_matches(self, server: XServer, window: xsession.Window, expected: Image, menu_height: int):
        shot = server.screenshot(window.id)
        self.last_shot = shot
        differing = self.area(shot, RESULT_AREA, menu_height).differing_pixels(expected, CHANNEL_TOLERANCE)
        self.last_difference = differing
        return shot if differing <= MAX_DIFFERING_PIXELS else None

    def report(self, failure: Failure) -> None:
        if self.reported:
            return
        self.reported = True
        print(f"FAILED at {self.elapsed()}: {failure}", file=sys.stderr)
        if self.server is not None:
            print("windows on the X server:", file=sys.stderr)
            print(self.server.describe_windows(), file=sys.stderr)
        if self.last_shot is not None:
            self.keep(self.last_shot, "last-screenshot.png")
        for path in self.pictures:
            print(f"picture kept: {path}", file=sys.stderr)
        if self.server is not None and self.server.process is not None:
            state = self.server.process.poll()
            print(
                f"Xvfb on {self.server.display}: " + ("running" if state is None else f"ended with status {state}"),
                file=sys.stderr,
            )
            print(f"Xvfb's output ({self.server.log}):", file=sys.stderr)
            print(self.server.log_text() or "  (none)", file=sys.stderr)
        if self.program is not None:
            print(f"velmora's output ({self.program.log}):", file=sys.stderr)
            print(self.program.log_tail() or "  (none)", file=sys.stderr)


def on_terminate(signum, frame) -> None:
    raise Failure("terminated (a time limit?)")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--velmora", type=Path, required=True, help="the bundle's executable")
    parser.add_argument("--reference", type=Path, required=True, help="velmora_e2e_reference")
    parser.add_argument("--output", type=Path, required=True, help="folder for pictures and logs")
    parser.add_argument("--quit-seconds", type=float, default=2.0, help="how long Ctrl+Q may take")
    options = parser.parse_args()

    run = EndToEnd(options)
    # A CTest timeout ends the run through the same report and clean-up as a failure.
    signal.signal(signal.SIGTERM, on_terminate)
    try:
        run.run()
    except Failure as failure:
        run.report(failure)
        return 1
    log(f"passed; pictures in {options.output}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
