#!/usr/bin/env python3
"""Takes the README's picture from a real run: the calculator window, menu bar included,
after a height and a weight were typed and "Calculate" was clicked. Run by scripts/screenshot.
"""

from __future__ import annotations

import argparse
import sys
import tempfile
import time
from pathlib import Path

# The shared module is imported from the source tree, which keeps no compiled copy.
sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parent))

import xsession  # noqa: E402
from xsession import Failure, Program, XServer  # noqa: E402

FEET, INCHES, POUNDS = "5", "10", "150"
RESULT_AREA = (61, 178, 590, 22)
MIN_DARK_PIXELS = 300
DARK_LEVEL = 96


def take(velmora: Path, output: Path, log: Path) -> None:
    with XServer(log.with_name("xvfb.log")) as server, Program(server, velmora, log) as program:
        window = xsession.wait_until(lambda: program.find_window(xsession.is_calculator), 40, "the calculator")
        xsession.wait_until(lambda: server.focused_window() == window.id, 10, "the calculator to get the keyboard")
        menu_height = window.height - xsession.CONTENT_HEIGHT

        for text in (FEET, "Tab", INCHES, "Tab", POUNDS):
            if text == "Tab":
                server.xdotool("key", "Tab")
            else:
                server.xdotool("type", "--delay", "20", text)
        x, y = xsession.CALCULATE_POINT
        server.xdotool("mousemove", "--window", str(window.id), str(x), str(y + menu_height), "click", "1")
        server.xdotool("mousemove", "0", "0")

        # The picture is taken once the result line is drawn and two shots in a row agree.
        previous = None

        def settled():
            nonlocal previous
            shot = server.screenshot(window.id)
            left, top, width, height = RESULT_AREA
            result = shot.crop(left, top + menu_height, width, height)
            drawn = result.count(lambda c: max(c) < DARK_LEVEL) >= MIN_DARK_PIXELS
            same = previous is not None and previous.pixels == shot.pixels
            previous = shot
            return shot if drawn and same else None

        picture = xsession.wait_until(settled, 10, "the result line")
        output.parent.mkdir(parents=True, exist_ok=True)
        picture.save_png(output)

        server.xdotool("key", "ctrl+q")
        assert program.process is not None
        status = program.process.wait(timeout=10)
        if status != 0:
            raise Failure(f"velmora ended with status {status}")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--velmora", type=Path, required=True, help="the bundle's executable")
    parser.add_argument("--output", type=Path, required=True, help="the PNG to write")
    options = parser.parse_args()
    started = time.monotonic()
    with tempfile.TemporaryDirectory(prefix="velmora-screenshot-") as scratch:
        log = Path(scratch) / "velmora.log"
        try:
            take(options.velmora, options.output, log)
        except Failure as failure:
            print(f"screenshot: {failure}", file=sys.stderr)
            if log.exists():
                print(log.read_text(errors="replace"), file=sys.stderr)
            return 1
    print(f"screenshot: wrote {options.output} in {time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
