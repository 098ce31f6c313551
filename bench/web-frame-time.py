#!/usr/bin/env python3
"""The frame time of the deterministic weave in headless Chromium (SwiftShader's WebGL, the ES layer) against
vanturo-sim on llvmpipe (Mesa's GL 1.1), run in turns. Chromium draws in its GPU process, behind the page: a
frame timed inside the page ends before it is drawn, and --time's glFinish after each pass would keep the page
and the GPU process from working at once. So each run is timed whole without --time, from the address opened
(the program started) to the summary (which waits for the last frame's pixels), less its start-up, per frame.

usage: bench/web-frame-time.py BUILD_WEB VANTURO_SIM [SECONDS] [PAIRS]    (Debian's /usr/bin/python3)
"""
import json
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "platform", "web"))
from devtools import Page, serve  # noqa: E402

web, sim = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 30
pairs = int(sys.argv[4]) if len(sys.argv) > 4 else 3
frames = 100 + int(seconds * 1000 / 16)
weave = subprocess.run([sys.executable, os.path.join(os.path.dirname(__file__), "weave.py"), str(seconds), "16"],
                       capture_output=True, text=True, check=True).stdout
with open(os.path.join(web, "weave.txt"), "w") as f:
    f.write(weave)

server = serve(web)
page = Page()
try:
    for pair in range(1, pairs + 1):
        began = time.monotonic()
        page.navigate("http://127.0.0.1:%d/vanturo.html?frames=%d&frame-ms=16&input=weave.txt" %
                      (server.server_port, frames))
        browser = json.loads(page.wait_for("document.getElementById('summary').textContent", 1800, "no summary"))
        browser_ms = (time.monotonic() - began) * 1000 - browser["startupMs"]
        began = time.monotonic()
        native = json.loads(subprocess.run([sim, "--data", web + "/level", "--no-settings", "--frames", str(frames),
                                            "--frame-ms", "16", "--input", web + "/weave.txt",
                                            "--shot", web + "/native-shot.png"],
                                           capture_output=True, text=True, check=True).stdout)
        native_ms = (time.monotonic() - began) * 1000 - native["startupMs"]
        b, n = browser_ms / frames, native_ms / frames
        same = {k: v for k, v in browser.items() if k not in ("startupMs", "timing")} == \
               {k: v for k, v in native.items() if k not in ("startupMs", "timing")}
        print("pair %d: browser %.2f ms a frame, native %.2f ms, ratio %.2f, same state: %s" % (pair, b, n, b / n, same))
finally:
    page.close()
    server.shutdown()
    server.server_close()
