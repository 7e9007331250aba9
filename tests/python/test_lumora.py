"""import lumora as a script does, against lumora-camsim: values, setting files, tables and flash
areas, cameras in parallel, and what a script sees when something goes wrong."""
import concurrent.futures
import os
import pathlib
import signal
import subprocess
import sys
import textwrap
import time

import pytest

import lumora


def test_values_round_trip_by_the_windows_rules(camsim, window_settings):
    sim = camsim()
    # A COM name is looked up in the window's port map, as --port does.
    window_settings(f"[Ports]\nCOM2={sim.device}\n")
    assert [p.device for p in lumora.ports() if p.mode == 0 and p.name == "COM2"] == [sim.device]
    with lumora.open("COM2") as cam:
        assert (cam.model, cam.port) == ("KT-5100W-QBCL", f"COM2 ({sim.device})")
        applied = cam.set(PE=1234, GA=150, UD="Line-7")
        assert {name: a.value for name, a in applied.items()} == {"PE": 1234, "GA": 150, "UD": "Line-7"}
        assert cam.get_many(["pe", "GA", "UD"]) == {"PE": 1234, "GA": 150, "UD": "Line-7"}

        # What the rule looks at is asked first; the changed value is sent and said.
        before = len(sim.received())
        assert cam.set(WTC=1001)["WTC"] == (992, 1001, "WTC=1001 sent as 992: 1001 is not a multiple of 16.")
        assert sim.received(before) == ["HB?", "OFC?", "WTC=992", "WTC?"]

        # Values out of range or of the wrong kind are refused before anything is sent.
        before = len(sim.received())
        wrong = [({"FGA": 99999}, "FGA takes 100 to 800 now, not 99999"), ({"PE": 1.5}, "PE takes a whole number"),
                 ({"PE": "12x"}, "PE takes a whole number"), ({"NOSUCH": 1}, "Unknown parameter"),
                 ({"PE": True}, "not bool"), ({"GA": 100, "PE": 0.5}, "PE takes")]
        for values, message in wrong:
            with pytest.raises(lumora.UsageError, match=message):
                cam.set(values)
        assert sim.received(before) == []
        with pytest.raises(lumora.UsageError, match="control characters"):
            cam.send("PE=1\r\nGA=5")
        assert cam.send("PE?") == ["PE=1234"]
    assert cam.closed
    with pytest.raises(lumora.UsageError, match="closed"):
        cam.get("PE")

    refusing = camsim("--fault", "refuse-once=PE=1234")
    with lumora.open(refusing.device) as cam:
        with pytest.raises(lumora.Refused) as refused:
            cam.set(PE=1234, GA=150)
        assert refused.value.answer.startswith("ERROR")
        assert "GA=150" not in refusing.received(), "set stops at the refused value"


def test_dump_diff_apply_makes_the_camera_hold_the_file_again(camsim, tmp_path):
    sim = camsim()
    file = tmp_path / "line7.cam"
    with lumora.open(sim.device) as cam:
        text = cam.dump(file)
        assert file.read_bytes() == text.encode() and "\r\nPE=" in text
        pe = cam.get("PE")
        assert cam.send(f"PE={pe + 500}") == ["COMPLETE"]
        assert cam.send("EM=2") == ["COMPLETE"]
        before = len(sim.received())
        assert cam.diff(file) == [("EM", 0, 2), ("PE", pe, pe + 500)]
        assert all(line.endswith("?") for line in sim.received(before)), "diff only asks"
        assert cam.apply(file, verify=True) > 100
        assert cam.diff(file) == []

    # A camera that keeps a value coarser than it acknowledged fails the verification.
    coarse = camsim("--step", "PE=1000")
    with lumora.open(coarse.device) as cam:
        file.write_bytes(file.read_bytes().replace(f"\r\nPE={pe}\r\n".encode(), b"\r\nPE=1500\r\n"))
        with pytest.raises(lumora.Refused) as differs:
            cam.apply(file, verify=True)
        assert differs.value.differences == [("PE", 1500, 1000)]


def test_tables_and_flash_areas(camsim):
    sim = camsim()
    with lumora.open(sim.device) as cam:
        counted = []
        red, green, blue = cam.lut.read(progress=lambda done, total: counted.append((done, total)))
        assert counted == [(n, 96) for n in range(1, 97)] and len(red) == len(green) == len(blue) == 32
        brighter = [min(v + 100, 4095) for v in red]
        cam.lut.write(brighter, green, blue)
        assert cam.lut.read()[0] == brighter
        for bad in (brighter[:31], brighter[:31] + [4096], brighter[:31] + ["1"]):
            with pytest.raises(lumora.UsageError):
                cam.lut.write(bad, green, blue)

        # A callback that raises stops the transfer after the exchange in flight, and its
        # exception is what the script gets.
        class Enough(Exception):
            pass

        def enough(done, total):
            if done == 3:
                raise Enough()
        before = len(sim.received())
        with pytest.raises(Enough):
            cam.lut.read(progress=enough)
        assert len(sim.received(before)) == 3

        cam.userset.store(2)
        cam.userset.load(0)
        cam.area.load(3)
        assert sim.received()[-3:] == ["SA=2", "LD=0", "LD=3"]
        for store, n in ((cam.userset.store, 0), (cam.area.store, 0), (cam.area.load, 4)):
            with pytest.raises(lumora.UsageError):
                store(n)


def test_no_camera_within_the_time_out(camsim):
    silent = camsim("--fault", "silent-after=0")
    for timeout, limit in ((None, 1.5), (0.2, 0.6)):
        start = time.monotonic()
        with pytest.raises(lumora.NoCamera, match=f"No camera answers on {silent.device}"):
            lumora.open(silent.device, timeout=timeout)
        assert time.monotonic() - start < limit
    # Named as given, not by the COM name it is opened under.
    with pytest.raises(lumora.NoCamera) as missing:
        lumora.open("/dev/lumora-no-such-port")
    assert "/dev/lumora-no-such-port" in str(missing.value) and "COM1" not in str(missing.value)
    for wrong in ({"baud": 1234}, {"mode": 7}, {"mode": 2, "port": silent.device}, {"timeout": 0}):
        with pytest.raises(lumora.UsageError):
            lumora.open(**{"port": silent.device, **wrong})


def test_cameras_from_threads_work_in_parallel_each_on_its_own_line(camsim):
    # Each camera takes 10 ms over every answer: the waits of four cameras overlap only when
    # the module lets go of the interpreter while a camera exchanges.
    single, *four = [camsim("--latency-ms", "10") for _ in range(5)]

    def configure(sim, value):
        with lumora.open(sim.device) as cam:
            cam.set(PE=value)
            for _ in range(20):
                assert cam.get("PE") == value

    start = time.monotonic()
    configure(single, 1000)
    one = time.monotonic() - start
    with concurrent.futures.ThreadPoolExecutor(4) as pool:
        start = time.monotonic()
        list(pool.map(configure, four, range(1001, 1005)))
        parallel = time.monotonic() - start
    assert parallel < 1.5 * one, f"four cameras took {parallel:.3f} s, one {one:.3f} s"
    expected = single.received()
    for sim, value in zip(four, range(1001, 1005)):
        assert sim.received() == [line.replace("PE=1000", f"PE={value}") for line in expected]


def test_ctrl_c_stops_a_dump_and_closes_the_port(camsim, tmp_path):
    sim = camsim("--latency-ms", "20")
    out = tmp_path / "interrupted.cam"
    script = textwrap.dedent("""
        import sys, lumora
        port, out = sys.argv[1:]
        try:
            with lumora.open(port) as cam:
                cam.dump(out)
            print("finished")
        except KeyboardInterrupt:
            # The port is held exclusively while open: it opens again only once closed.
            with lumora.open(port) as again:
                again.get("PE")
            print("interrupted", cam.closed)
    """)
    child = subprocess.Popen([sys.executable, "-c", script, sim.device, str(out)], stdout=subprocess.PIPE,
                             stderr=subprocess.PIPE, text=True, env=os.environ)
    while len(sim.received()) < 10:
        assert child.poll() is None
        time.sleep(0.005)
    child.send_signal(signal.SIGINT)
    asked = len(sim.received())
    stdout, stderr = child.communicate(timeout=30)
    assert (child.returncode, stdout, stderr) == (0, "interrupted True\n", "")
    assert not out.exists(), "nothing is written after an incomplete reading"
    # The walk stops after the query in flight (one more may have gone out meanwhile); then the
    # second open's MD? and PE?.
    assert asked + 2 <= len(sim.received()) <= asked + 4


def test_what_a_script_is_told_when_a_file_or_the_camera_fails(camsim, tmp_path):
    def cam_file(name, text):
        (tmp_path / name).write_bytes(text.encode())
        return tmp_path / name

    sim = camsim("--fault", "refuse-once=TD=150")
    with lumora.open(sim.device) as cam:
        # A wrong file is refused before anything is sent.
        before = len(sim.received())
        for path, message in ((tmp_path / "missing.cam", "Cannot read"), (cam_file("none.cam", "XX=1\r\n"), "no setting")):
            for call in (cam.apply, cam.diff):
                with pytest.raises(lumora.UsageError, match=message):
                    call(path)
        assert sim.received(before) == []
        # Damaged lines are skipped and named, the rest is applied; a refused line is named
        # with the camera's answer.
        with pytest.raises(lumora.UsageError, match="Line 2: PE=abc"):
            cam.apply(cam_file("damaged.cam", "TD=140\r\nPE=abc\r\n"))
        assert "TD=140" in sim.received() and "PE=0" not in sim.received()
        with pytest.raises(lumora.Refused, match="Line 1: TD=150") as refused:
            cam.apply(cam_file("refused.cam", "TD=150\r\nPE=1001\r\n"))
        assert refused.value.answer.startswith("ERROR") and "PE=1001" in sim.received()

        # A progress callback may not use its own camera; another thread waits its turn.
        with pytest.raises(lumora.UsageError, match="progress callback"):
            cam.dump(progress=lambda done, total: cam.get("PE"))
        with concurrent.futures.ThreadPoolExecutor(2) as pool:
            reads = [pool.submit(cam.lut.read) for _ in range(2)]
            assert reads[0].result() == reads[1].result()

    # The camera goes away in the middle of a walk.
    leaving = camsim("--fault", "hangup-after=20")
    with lumora.open(leaving.device) as cam:
        with pytest.raises(lumora.NoCamera, match="was not read completely"):
            cam.dump()
        with pytest.raises(lumora.NoCamera, match="connection to the camera .* was lost"):
            cam.get("PE")
