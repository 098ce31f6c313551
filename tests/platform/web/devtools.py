"""A small client of Chromium's DevTools protocol: headless Chromium on SwiftShader's WebGL, one page, its
console watched, and the page served from a folder on 127.0.0.1."""
import functools
import http.server
import json
import os
import shutil
import subprocess
import tempfile
import threading
import time
import urllib.request

import websocket  # Debian's python3-websocket


def serve(folder):
    """Serves folder on 127.0.0.1 on a free port, in a thread; returns the server (its port in server_port)."""
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

    handler = functools.partial(Quiet, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def read_line(path):
    """The file's first line, or None while it is not there."""
    if not os.path.exists(path):
        return None
    with open(path) as f:
        return f.readline().strip()


class Page:
    """Headless Chromium with one page, driven through the DevTools protocol."""

    def __init__(self):
        self.profile = tempfile.mkdtemp()
        self.process = subprocess.Popen(
            ["chromium", "--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
             "--remote-debugging-port=0", "--user-data-dir=" + self.profile, "--window-size=1000,900",
             "--force-device-scale-factor=1", "--autoplay-policy=no-user-gesture-required", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        port = self._wait_for(lambda: read_line(port_file), 60, "Chromium did not open its DevTools port")
        targets = json.load(urllib.request.urlopen("http://127.0.0.1:%s/json/list" % port))
        page = next(t for t in targets if t["type"] == "page")
        self.socket = websocket.create_connection(page["webSocketDebuggerUrl"], timeout=600)
        self.last_id = 0
        self.problems = []  # console errors, uncaught exceptions, failed loads
        for domain in ("Runtime", "Log", "Page"):
            self.call(domain + ".enable")

    @staticmethod
    def _wait_for(condition, seconds, what):
        deadline = time.time() + seconds
        while time.time() < deadline:
            value = condition()
            if value:
                return value
            time.sleep(0.1)
        raise AssertionError(what)

    def _note(self, message):
        method, params = message.get("method"), message.get("params", {})
        if method == "Runtime.exceptionThrown":
            self.problems.append(params["exceptionDetails"].get("text", "") + " " +
                                 json.dumps(params["exceptionDetails"].get("exception", {}).get("description", "")))
        elif method == "Runtime.consoleAPICalled" and params.get("type") == "error":
            self.problems.append(" ".join(str(a.get("value", a.get("description", ""))) for a in params["args"]))
        elif method == "Log.entryAdded" and params["entry"]["level"] == "error":
            self.problems.append(params["entry"]["text"] + " " + params["entry"].get("url", ""))

    def call(self, method, **params):
        self.last_id += 1
        self.socket.send(json.dumps({"id": self.last_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == self.last_id:
                if "error" in message:
                    raise AssertionError("%s: %s" % (method, message["error"]))
                return message.get("result", {})
            self._note(message)

    def evaluate(self, expression, promise=False):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=promise)
        if "exceptionDetails" in result:
            raise AssertionError("%s: %s" % (expression, result["exceptionDetails"]))
        return result.get("result", {}).get("value")

    def wait_for(self, expression, seconds, what):
        """Polls expression in the page until it is true (the page's own frames, never a fixed wait); an
        expression that throws (the page still loading) counts as not yet."""
        def value():
            try:
                return self.evaluate(expression)
            except AssertionError:
                return None
        return self._wait_for(value, seconds, what)

    def navigate(self, url):
        """Opens url and returns once its document has loaded, never reading the page it replaces."""
        self.evaluate("window.replacedByNavigation = true")
        self.call("Page.navigate", url=url)
        self.wait_for("!window.replacedByNavigation && document.readyState === 'complete'", 120,
                      "the page did not load: " + url)

    def close(self):
        self.socket.close()
        self.process.kill()
        self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)
