"""A private X server, the program on it, and the hands of a user: xdotool and screenshots.

Used by the end-to-end test and by scripts/screenshot. Python 3.11 standard library only;
needs Xvfb, xdotool, xprop, xwininfo and ImageMagick's import on the PATH, and openbox for a
session with a window manager.
"""

from __future__ import annotations

import ctypes
import os
import random
import select
import signal
import struct
import subprocess
import tempfile
import time
import zlib
from dataclasses import dataclass
from pathlib import Path

SCREEN = "1280x1024x24"
# Display numbers well away from the ones desktops and xvfb-run take (0, 1, 99, ...).
DISPLAY_NUMBERS = range(1000, 30000)
DISPLAY_ATTEMPTS = 8
POLL_SECONDS = 0.02
COMMAND_TIMEOUT = 10.0

# The calculator's content below its menu bar, in content coordinates.
CONTENT_WIDTH = 680
CONTENT_HEIGHT = 300
SPLASH_SIZE = (300, 200)
CALCULATOR_TITLE = "Velmora"
DESCRIPTION_TITLE = "Description"
CALCULATE_POINT = (90, 265)
INFORMATION_POINT = (610, 265)


class Failure(Exception):
    """What the run saw when it did not go as a user expects."""


def die_with_parent() -> None:
    # The children go when the driver goes, however it ends (a CTest timeout kills it).
    libc = ctypes.CDLL(None, use_errno=True)
    pr_set_pdeathsig = 1
    libc.prctl(pr_set_pdeathsig, signal.SIGTERM)


def end_process(process: subprocess.Popen | None) -> None:
    """Asks a process still running to end, and kills it if it does not within 5 s."""
    if process is None or process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(timeout=5)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def wait_until(condition, seconds: float, what: str):
    """Polls the condition until it gives something true; fails after the deadline."""
    deadline = time.monotonic() + seconds
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() >= deadline:
            raise Failure(f"gave up after {seconds:.0f} s waiting for {what}")
        time.sleep(POLL_SECONDS)


class XServer:
    """Xvfb on a display number that no other server holds, bare or with openbox managing
    its windows as a desktop's window manager does."""

    def __init__(self, log: Path, window_manager: bool = False) -> None:
        self.log = log
        self.process: subprocess.Popen | None = None
        self.display = ""
        self.window_manager = window_manager
        self.wm_process: subprocess.Popen | None = None
        self._wm_home: tempfile.TemporaryDirectory | None = None

    def __enter__(self) -> XServer:
        # A number of our own choosing, far from the low ones that desktops, xvfb-run and
        # other tools' -displayfd take first, so X servers that other programs start on the
        # machine meanwhile do not race ours for it. A number in use fails at once (its
        # socket is taken) and the next one is tried.
        numbers = random.Random(os.getpid() ^ time.time_ns()).sample(DISPLAY_NUMBERS, DISPLAY_ATTEMPTS)
        for number in numbers:
            if self._start(number):
                self.display = f":{number}"
                # Ready by its own word is not enough on a shared machine: a client must get in.
                if self.xdotool("getmouselocation", check=False):
                    if self.window_manager:
                        try:
                            self._start_window_manager()
                        except BaseException:
                            self._stop()
                            raise
                    return self
                self._stop()
        raise Failure(f"Xvfb did not start on any of the displays {numbers}: {self.log_text()}")

    def _start(self, number: int) -> bool:
        """Starts Xvfb on the display; true once it is ready to take clients."""
        read_end, write_end = os.pipe()
        try:
            with open(self.log, "wb") as log:
                self.process = subprocess.Popen(
                    ["Xvfb", f":{number}", "-displayfd", str(write_end), "-screen", "0", SCREEN]
                    + ["-nolisten", "tcp", "-noreset"],
                    pass_fds=(write_end,),
                    stdin=subprocess.DEVNULL,
                    stdout=log,
                    stderr=subprocess.STDOUT,
                    preexec_fn=die_with_parent,
                )
            os.close(write_end)
            write_end = -1
            # Xvfb writes the number once it listens; it closes the pipe when it fails.
            said = b""
            deadline = time.monotonic() + 15
            while not said.endswith(b"\n"):
                ready, _, _ = select.select([read_end], [], [], max(deadline - time.monotonic(), 0))
                chunk = os.read(read_end, 16) if ready else b""
                if not chunk:
                    self._stop()
                    return False
                said += chunk
            return said.strip() == str(number).encode()
        finally:
            if write_end >= 0:
                os.close(write_end)
            os.close(read_end)

    def _start_window_manager(self) -> None:
        """Starts openbox with its stock settings; returns once it manages the screen."""
        # Its own folders, so that no user's settings apply and nothing is left behind.
        self._wm_home = tempfile.TemporaryDirectory(prefix="velmora-openbox-")
        env = self.env()
        for name in ("HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"):
            env[name] = self._wm_home.name
        with open(self.log.with_name("openbox.log"), "wb") as log:
            self.wm_process = subprocess.Popen(
                ["openbox", "--sm-disable"],
                env=env,
                stdin=subprocess.DEVNULL,
                stdout=log,
                stderr=subprocess.STDOUT,
                preexec_fn=die_with_parent,
            )

        # A window manager announces itself with a check window on the root.
        def managing() -> bool:
            if self.wm_process is None or self.wm_process.poll() is not None:
                raise Failure(f"openbox ended at start: {self.wm_log_text()}")
            said = self.run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK", check=False)
            return "window id #" in said

        wait_until(managing, 15, "openbox to manage the screen")

    def wm_log_text(self) -> str:
        try:
            return self.log.with_name("openbox.log").read_text(errors="replace").strip()
        except OSError:
            return ""

    def _stop(self) -> None:
        end_process(self.wm_process)
        self.wm_process = None
        if self._wm_home is not None:
            self._wm_home.cleanup()
            self._wm_home = None
        end_process(self.process)

    def __exit__(self, *exc) -> None:
        self._stop()

    def log_text(self) -> str:
        try:
            return self.log.read_text(errors="replace").strip()
        except OSError:
            return ""

    def env(self) -> dict[str, str]:
        env = dict(os.environ)
        env["DISPLAY"] = self.display
        return env

    def run(self, *args: str, check: bool = True) -> str:
        """Runs an X client (xdotool, import, xwininfo) on this display; returns its output."""
        result = subprocess.run(
            args, env=self.env(), capture_output=True, timeout=COMMAND_TIMEOUT, check=False
        )
        if check and result.returncode != 0:
            raise Failure(f"{' '.join(args)} failed: {result.stderr.decode(errors='replace').strip()}")
        return result.stdout.decode(errors="replace")

    def xdotool(self, *args: str, check: bool = True) -> str:
        return self.run("xdotool", *args, check=check)

    def focused_window(self) -> int | None:
        # With no window focused (PointerRoot) xdotool reports an X error.
        text = self.xdotool("getwindowfocus", check=False).strip()
        return int(text) if text.isdigit() else None

    def exists(self, window: int) -> bool:
        return bool(self.run("xwininfo", "-id", str(window), check=False))

    def viewable(self, window: int) -> bool:
        """Mapped and on screen: neither hidden nor minimised."""
        return "Map State: IsViewable" in self.run("xwininfo", "-id", str(window), check=False)

    def wm_state(self, window: int) -> str:
        """The ICCCM state a window manager gives the window: Normal, Iconic or Withdrawn."""
        said = self.run("xprop", "-id", str(window), "WM_STATE", check=False)
        for line in said.splitlines():
            if "window state:" in line:
                return line.split(":", 1)[1].strip()
        return "Withdrawn"

    def transient_for(self, window: int) -> int | None:
        """The window a dialog belongs to, by WM_TRANSIENT_FOR."""
        said = self.run("xprop", "-id", str(window), "WM_TRANSIENT_FOR", check=False)
        if "window id #" not in said:
            return None
        return int(said.split("#", 1)[1].split()[0], 16)

    def screenshot(self, window: int) -> Image:
        data = subprocess.run(
            ["import", "-window", str(window), "-depth", "8", "ppm:-"],
            env=self.env(),
            capture_output=True,
            timeout=COMMAND_TIMEOUT,
            check=False,
        )
        if data.returncode != 0:
            raise Failure(f"import failed: {data.stderr.decode(errors='replace').strip()}")
        return Image.from_ppm(data.stdout)

    def describe_windows(self) -> str:
        """Every top-level window: id, title, size, position and whether it is mapped."""
        lines = []
        listing = self.run("xwininfo", "-root", "-children", check=False)
        for line in listing.splitlines():
            line = line.strip()
            if not line.startswith("0x"):
                continue
            window = line.split()[0]
            info = self.run("xwininfo", "-id", window, check=False)
            state = next((l.split(":", 1)[1].strip() for l in info.splitlines() if "Map State" in l), "?")
            lines.append(f"  {line}  [{state}]")
        return "\n".join(lines) if lines else "  (no windows)"


@dataclass
class Window:
    id: int
    title: str
    width: int
    height: int


class Program:
    """The program under test, started on the X server with its output kept in a log."""

    def __init__(self, server: XServer, executable: Path, log: Path) -> None:
        self.server = server
        self.executable = executable
        self.log = log
        self.process: subprocess.Popen | None = None
        self._runtime_dir = tempfile.TemporaryDirectory(prefix="velmora-e2e-")
        self.started = 0.0

    def __enter__(self) -> Program:
        env = self.server.env()
        env["QT_QPA_PLATFORM"] = "xcb"
        env["XDG_RUNTIME_DIR"] = self._runtime_dir.name
        for name in ("WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "SESSION_MANAGER"):
            env.pop(name, None)
        os.chmod(self._runtime_dir.name, 0o700)
        with open(self.log, "wb") as log:
            self.started = time.monotonic()
            self.process = subprocess.Popen(
                [str(self.executable)],
                env=env,
                stdin=subprocess.DEVNULL,
                stdout=log,
                stderr=subprocess.STDOUT,
                preexec_fn=die_with_parent,
            )
        return self

    def __exit__(self, *exc) -> None:
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self._runtime_dir.cleanup()

    def pid(self) -> int:
        assert self.process is not None
        return self.process.pid

    def check_running(self) -> None:
        assert self.process is not None
        status = self.process.poll()
        if status is not None:
            raise Failure(f"velmora ended early with status {status}")

    def visible_windows(self) -> list[Window]:
        """The program's mapped top-level windows."""
        self.check_running()
        found = self.server.xdotool(
            "search", "--all", "--onlyvisible", "--pid", str(self.pid()), "--name", "", check=False
        )
        windows = []
        for token in found.split():
            shape = self.server.xdotool("getwindowgeometry", "--shell", token, check=False)
            title = self.server.xdotool("getwindowname", token, check=False)
            fields = dict(line.split("=", 1) for line in shape.splitlines() if "=" in line)
            if "WIDTH" in fields and "HEIGHT" in fields:
                windows.append(Window(int(token), title.rstrip("\n"), int(fields["WIDTH"]), int(fields["HEIGHT"])))
        return windows

    def find_window(self, test) -> Window | None:
        return next((w for w in self.visible_windows() if test(w)), None)

    def log_tail(self, lines: int = 40) -> str:
        try:
            text = self.log.read_text(errors="replace").splitlines()
        except OSError:
            return ""
        return "\n".join(text[-lines:])


def is_splash(window: Window) -> bool:
    return (window.width, window.height) == SPLASH_SIZE


def is_calculator(window: Window) -> bool:
    # The content is 680 x 300; the menu bar adds to the height.
    return window.title == CALCULATOR_TITLE and window.width == CONTENT_WIDTH and window.height > CONTENT_HEIGHT


def is_description(window: Window) -> bool:
    return window.title == DESCRIPTION_TITLE


class Image:
    """An RGB picture, 8 bits a channel, rows from the top."""

    def __init__(self, width: int, height: int, pixels: bytes) -> None:
        if len(pixels) != width * height * 3:
            raise ValueError("pixel data does not match the size")
        self.width = width
        self.height = height
        self.pixels = pixels

    @staticmethod
    def from_ppm(data: bytes) -> Image:
        # P6 header: magic, width, height, maximum value, each after white space;
        # comments run from '#' to the end of the line.
        fields: list[bytes] = []
        position = 0
        while len(fields) < 4:
            while data[position : position + 1].isspace():
                position += 1
            if data[position : position + 1] == b"#":
                position = data.index(b"\n", position) + 1
                continue
            end = position
            while end < len(data) and not data[end : end + 1].isspace():
                end += 1
            fields.append(data[position:end])
            position = end
        position += 1  # the single white space before the pixels
        if fields[0] != b"P6":
            raise ValueError("not a binary PPM picture")
        width, height, maximum = (int(f) for f in fields[1:])
        body = data[position:]
        if maximum > 255:
            body = body[0::2]  # the high byte of each 16-bit sample
        return Image(width, height, bytes(body[: width * height * 3]))

    @staticmethod
    def load_ppm(path: Path) -> Image:
        return Image.from_ppm(path.read_bytes())

    def crop(self, left: int, top: int, width: int, height: int) -> Image:
        if left < 0 or top < 0 or left + width > self.width or top + height > self.height:
            raise ValueError(f"area {width}x{height}+{left}+{top} lies outside {self.width}x{self.height}")
        rows = []
        for y in range(top, top + height):
            start = (y * self.width + left) * 3
            rows.append(self.pixels[start : start + width * 3])
        return Image(width, height, b"".join(rows))

    def colours(self):
        p = self.pixels
        return (p[i : i + 3] for i in range(0, len(p), 3))

    def count(self, test) -> int:
        return sum(1 for c in self.colours() if test(c))

    def differing_pixels(self, other: Image, tolerance: int) -> int:
        """Pixels whose channels differ by more than the tolerance in any channel."""
        if (self.width, self.height) != (other.width, other.height):
            return self.width * self.height
        a, b = self.pixels, other.pixels
        differing = 0
        for i in range(0, len(a), 3):
            if (
                abs(a[i] - b[i]) > tolerance
                or abs(a[i + 1] - b[i + 1]) > tolerance
                or abs(a[i + 2] - b[i + 2]) > tolerance
            ):
                differing += 1
        return differing

    def save_png(self, path: Path) -> None:
        def chunk(kind: bytes, body: bytes) -> bytes:
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

        stride = self.width * 3
        raw = b"".join(b"\0" + self.pixels[y * stride : (y + 1) * stride] for y in range(self.height))
        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        path.write_bytes(
            b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b"")
        )
