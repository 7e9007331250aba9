"""The lumora module against lumora-camsim on pseudo-terminals. Each simulator writes a traffic
log, the witness of what reached the camera. The window's settings are a private file, so
nothing of a real installation leaks in."""
import json
import os
import pathlib
import subprocess
import tempfile

import pytest

if "XDG_CONFIG_HOME" not in os.environ:
    os.environ["XDG_CONFIG_HOME"] = tempfile.mkdtemp(prefix="lumora-python-config-")
BIN_DIR = pathlib.Path(os.environ.get("LUMORA_BIN_DIR", pathlib.Path(__file__).parents[2] / "build" / "bin"))
SETTINGS = pathlib.Path(os.environ["XDG_CONFIG_HOME"]) / "Norvik" / "Lumora Camera Control Tool.conf"


class CamSim:
    """lumora-camsim on a fresh pseudo-terminal; stopped with SIGTERM by the fixture."""

    def __init__(self, folder, args):
        self.log = folder / f"traffic-{len(list(folder.glob('traffic-*')))}.jsonl"
        self.process = subprocess.Popen([str(BIN_DIR / "lumora-camsim"), "--log", str(self.log), *args],
                                        stdout=subprocess.PIPE, text=True)
        self.device = self.process.stdout.readline().strip()
        assert self.device, f"lumora-camsim {args} printed no device"

    def received(self, since=0):
        """The lines the camera received, in order, from the since-th on."""
        if not self.log.exists():
            return []
        entries = (json.loads(line) for line in self.log.read_text().splitlines() if line.strip())
        return [e["line"] for e in entries if e["dir"] == "rx"][since:]

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)
        self.process.stdout.close()


@pytest.fixture
def camsim(tmp_path):
    """Starts simulators: camsim("--latency-ms", "10") -> CamSim."""
    started = []

    def start(*args):
        started.append(CamSim(tmp_path, args))
        return started[-1]

    yield start
    for sim in started:
        sim.stop()


@pytest.fixture
def window_settings():
    """Writes the window's settings file (its INI text); removed afterwards."""
    def write(text):
        SETTINGS.parent.mkdir(parents=True, exist_ok=True)
        SETTINGS.write_text(text)

    yield write
    SETTINGS.unlink(missing_ok=True)
