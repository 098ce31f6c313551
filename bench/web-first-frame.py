#!/usr/bin/env python3
"""How soon the browser game shows its first frame: a first visit over a throttled link (Chromium's network
emulation, 10 Mbit/s down, 20 ms), and a second visit, whose files the page's worker keeps. Each visit is
timed from the address opened to the page's first drawn frame, in a fresh browser profile for every round.

usage: bench/web-first-frame.py BUILD_WEB [ROUNDS]    (Debian's /usr/bin/python3)
"""
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "platform", "web"))
from devtools import Page, serve  # noqa: E402

web = os.path.abspath(sys.argv[1])
rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 3
LINK = dict(offline=False, latency=20, downloadThroughput=10e6 / 8, uploadThroughput=10e6 / 8)
FIRST_FRAME = "typeof _vanturoState === 'function' && JSON.parse(UTF8ToString(_vanturoState())).frames >= 1"


def visit(page, address):
    began = time.monotonic()
    page.call("Page.navigate", url=address)
    page.wait_for(FIRST_FRAME, 600, "no first frame")
    return time.monotonic() - began


server = serve(web)
address = "http://127.0.0.1:%d/vanturo.html" % server.server_port
first, second = [], []
try:
    for _ in range(rounds):
        page = Page()
        try:
            page.call("Network.enable")
            page.call("Network.emulateNetworkConditions", **LINK)
            first.append(visit(page, address))
            page.wait_for("navigator.serviceWorker.controller !== null", 600, "the worker did not take the page")
            page.call("Page.navigate", url="about:blank")
            second.append(visit(page, address))
        finally:
            page.close()
finally:
    server.shutdown()
    server.server_close()
print("first visit at 10 Mbit/s: median %.2f s (%s)" % (statistics.median(first), ", ".join("%.2f" % t for t in first)))
print("second visit, from the kept files: median %.2f s (%s)" %
      (statistics.median(second), ", ".join("%.2f" % t for t in second)))
