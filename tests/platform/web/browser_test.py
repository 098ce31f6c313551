"""The browser game in headless Chromium (SwiftShader's WebGL): the deterministic page agrees with vanturo-sim
to the bit and in its picture, a flight answers the mouse, a finger and every key, with sound, the canvas fills
any screen, Escape pauses, and no console error.

usage: browser_test.py BUILD_WEB_FOLDER VANTURO_SIM [TEST...]
"""
import base64
import json
import os
import subprocess
import sys
import tempfile
import unittest

from devtools import Page, serve

WEB, SIM = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
WIDTH, HEIGHT = 800, 600
# A pixel differs when a channel is more than this far apart. Above the heads-up line SwiftShader and llvmpipe
# part only at edges; the line itself is in the browser's own font, whose glyphs are not FreeType's.
CHANNEL_TOLERANCE = 8
ALLOWED_DIFFERING_ABOVE_HUD = 0.002
ALLOWED_DIFFERING = 0.01
HUD_TOP = 550  # rows from here down hold the heads-up line, whose frame counter moves even while paused
# Seconds a wait for the page may take before the test counts it as hung: far beyond the slowest honest wait on a
# machine whose every core is busy, so that only a hang fails it.
HANG_GUARD = 900

PNG_BYTES = """fetch(%s).then(r => r.arrayBuffer()).then(buffer => {
  const bytes = new Uint8Array(buffer); let text = '';
  for (let i = 0; i < bytes.length; i += 32768) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 32768));
  return btoa(text); })"""


def rgb(png):
    """The picture's pixels, RGB, top row first."""
    return subprocess.run(["convert", "png:-", "-depth", "8", "rgb:-"], input=png, capture_output=True,
                          check=True).stdout


def differing(a, b, rows=HEIGHT):
    """How many pixels of the first rows differ by more than the tolerance in a channel."""
    count = 0
    for p in range(0, min(len(a), len(b), rows * WIDTH * 3), 3):
        if max(abs(a[p] - b[p]), abs(a[p + 1] - b[p + 1]), abs(a[p + 2] - b[p + 2])) > CHANNEL_TOLERANCE:
            count += 1
    return count


def white_pixels(picture, first_row, last_row):
    return sum(1 for p in range(first_row * WIDTH * 3, last_row * WIDTH * 3, 3)
               if picture[p] == picture[p + 1] == picture[p + 2] == 255)


def without_timing(summary):
    summary = dict(summary)
    summary.pop("startupMs", None)
    return summary


class BrowserGame(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = serve(WEB)
        cls.page = Page()
        cls.address = "http://127.0.0.1:%d/vanturo.html" % cls.server.server_port
        cls.folder = tempfile.mkdtemp()

    @classmethod
    def tearDownClass(cls):
        cls.page.close()
        cls.server.shutdown()
        cls.server.server_close()

    def tearDown(self):
        self.page.call("Emulation.clearDeviceMetricsOverride")
        self.page.call("Emulation.setTouchEmulationEnabled", enabled=False)
        self.assertEqual(self.page.problems, [], "the page's console shows errors")

    def screen(self, width, height, ratio=1, touch=False):
        """The page shown as on a screen of width by height CSS pixels, at ratio device pixels to one."""
        self.page.call("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=ratio,
                       mobile=touch)
        self.page.call("Emulation.setTouchEmulationEnabled", enabled=touch, maxTouchPoints=5)

    def canvas(self):
        return self.page.evaluate("(() => { const c = document.getElementById('canvas'), d = document.documentElement;"
                                  " return {width: c.width, height: c.height, shownWidth: c.clientWidth,"
                                  " shownHeight: c.clientHeight, pageWidth: d.scrollWidth, pageHeight: d.scrollHeight};"
                                  " })()")

    # The deterministic page.

    def test_deterministic_runs_agree_with_the_simulation(self):
        for frames, mouse, seed in [(120, "500,250", 1), (300, "150,420", 7)]:
            with self.subTest(frames=frames, mouse=mouse, seed=seed):
                self.page.navigate("%s?frames=%d&frame-ms=16&mouse=%s&seed=%d" % (self.address, frames, mouse, seed))
                summary = self.page.wait_for("document.getElementById('summary').textContent", HANG_GUARD,
                                             "no summary from the deterministic run")
                shot = os.path.join(self.folder, "sim.png")
                sim = subprocess.run([SIM, "--data", WEB + "/level", "--no-settings", "--frames", str(frames),
                                      "--frame-ms", "16", "--mouse", mouse, "--seed", str(seed), "--shot", shot],
                                     capture_output=True, text=True, check=True)
                self.assertEqual(without_timing(json.loads(summary)), without_timing(json.loads(sim.stdout)))
                web = base64.b64decode(self.page.evaluate(
                    PNG_BYTES % "document.getElementById('shot').href", promise=True))
                with open(shot, "rb") as f:
                    desktop = rgb(f.read())
                apart, above = differing(desktop, rgb(web)), differing(desktop, rgb(web), HUD_TOP)
                print("deterministic run of %d frames: %d pixels apart by more than %d, %d above the heads-up line" %
                      (frames, apart, CHANNEL_TOLERANCE, above))
                self.assertLessEqual(above, ALLOWED_DIFFERING_ABOVE_HUD * WIDTH * HEIGHT)
                self.assertLessEqual(apart, ALLOWED_DIFFERING * WIDTH * HEIGHT)

    def test_an_address_the_simulation_would_refuse_gives_an_error_summary_and_a_notice_that_say_why(self):
        for query, why in (("frames=ten", "frames takes a whole number"), ("frames=10&wings=2", "unknown option wings"),
                           ("frames=10&mouse=%2C", "mouse takes X,Y"),
                           ("frames=5&input=no-such-input.txt", "no-such-input.txt: no such input script"),
                           ("frames=5&input=.", "input=.: names a file beside the page"),
                           ("frames=5&input=..", "input=..: names a file beside the page")):
            with self.subTest(query=query):
                self.page.navigate("%s?%s" % (self.address, query))
                summary = self.page.wait_for("document.getElementById('summary').textContent", HANG_GUARD, "no summary")
                self.assertIn(why, json.loads(summary)["error"])
                self.assertIn(why, self.page.evaluate("document.getElementById('notice').textContent"))
                # The missing file's fetch is the one failed load the console may show.
                self.page.problems = [p for p in self.page.problems if "no-such-input.txt" not in p]

    def test_a_setting_changed_in_flight_is_kept_for_the_next_visit(self):
        for muted in (True, False):  # M changes the mute setting; the page after a reload has it as left
            with self.subTest(muted=muted):
                self.page.navigate(self.address)
                self.flight_started()
                self.assertEqual(self.state()["muted"], not muted)
                self.key(77, "m", "KeyM")
                self.assertEqual(self.state()["muted"], muted)
                self.page.wait_for("Module.vanturoSettingsStored > 0", HANG_GUARD, "the setting was not stored")
        self.page.navigate(self.address)
        self.page.wait_for("typeof _vanturoState === 'function' && "
                           "JSON.parse(UTF8ToString(_vanturoState())).frames > 5", HANG_GUARD, "no flight")
        self.assertFalse(self.state()["muted"])

    # A flight, as a player plays it.

    def state(self):
        return json.loads(self.page.evaluate("UTF8ToString(_vanturoState())"))

    def frames_pass(self, count):
        until = self.state()["frames"] + count
        self.page.wait_for("typeof _vanturoState === 'function' && "
                           "JSON.parse(UTF8ToString(_vanturoState())).frames >= %d" % until, HANG_GUARD,
                           "the page stopped drawing frames")

    def picture(self):
        data = self.page.evaluate("document.getElementById('canvas').toDataURL('image/png')")
        return rgb(base64.b64decode(data.split(",", 1)[1]))

    def touch(self, kind, *points):
        """Fingers at points of the page, in CSS pixels: every finger down after the event, as the browser sends."""
        self.page.call("Input.dispatchTouchEvent", type=kind,
                       touchPoints=[{"x": x, "y": y, "id": i} for i, (x, y) in enumerate(points)])

    def flight_started(self):
        """Waits for the page's still start, which asks for a gesture, and clicks: the flight flies."""
        self.page.wait_for("typeof _vanturoState === 'function' && "
                           "JSON.parse(UTF8ToString(_vanturoState())).frames > 110", HANG_GUARD, "the flight did not start")
        self.assertTrue(self.state()["paused"])
        self.assertEqual(self.page.evaluate("document.getElementById('notice').textContent"),
                         "Click, tap or press a key to fly.")
        self.assertFalse(self.page.evaluate("'vanturoAudio' in Module && Module.vanturoAudio !== null"))
        size = self.canvas()
        for kind in ("mousePressed", "mouseReleased"):
            self.mouse(kind, size["shownWidth"] // 2, size["shownHeight"] // 2, button="left", clickCount=1)
        self.frames_pass(2)
        self.assertFalse(self.state()["paused"])

    def key(self, code, key, dom_code):
        for kind in ("rawKeyDown", "keyUp"):
            self.page.call("Input.dispatchKeyEvent", type=kind, windowsVirtualKeyCode=code, key=key, code=dom_code)
        self.frames_pass(3)

    def mouse(self, kind, x, y, **more):
        box = self.page.evaluate("(() => { const r = document.getElementById('canvas').getBoundingClientRect();"
                                 " return [r.left, r.top]; })()")
        self.page.call("Input.dispatchMouseEvent", type=kind, x=box[0] + x, y=box[1] + y, **more)

    def test_a_flight_answers_the_mouse_and_every_key(self):
        self.screen(WIDTH, HEIGHT)
        self.page.navigate(self.address)
        self.flight_started()
        self.assertEqual((self.canvas()["width"], self.canvas()["height"]), (WIDTH, HEIGHT))

        # The mouse steers: right of the middle one way (the simulation's: steer below 0), as far left the other
        # way as much.
        steer = {}
        for side, x in (("right", 700), ("left", 100)):
            self.mouse("mouseMoved", x, 300)
            self.frames_pass(10)
            steer[side] = self.state()["ship"]["steer"]
        self.assertLess(steer["right"], 0)
        self.assertEqual(steer["left"], -steer["right"])
        self.mouse("mouseMoved", 400, 300)

        # A click starts the sound, which the mixer makes.
        self.mouse("mousePressed", 400, 300, button="left", clickCount=1)
        self.mouse("mouseReleased", 400, 300, button="left", clickCount=1)
        self.page.wait_for("Module.vanturoSoundPeak > 0", HANG_GUARD, "no sound after a click")

        # 1, 2, 3: filled, lines, points; the lines and points show the sky through the ground.
        filled = self.picture()
        for code, key, mode in ((50, "2", "lines"), (51, "3", "points"), (49, "1", "filled")):
            self.key(code, key, "Digit" + key)
            self.assertEqual(self.state()["polygonMode"], mode)
            if mode == "lines":
                self.assertGreater(differing(filled, self.picture(), HUD_TOP), WIDTH * HEIGHT // 10)

        # P holds the world still, and again lets it go.
        self.key(80, "p", "KeyP")
        still = self.picture()
        self.frames_pass(20)
        self.assertEqual(differing(still, self.picture(), HUD_TOP), 0)
        self.key(80, "p", "KeyP")
        self.frames_pass(20)
        self.assertGreater(differing(still, self.picture(), HUD_TOP), 0)

        # Taps between two frames count, each of them: sent in one task, no frame comes between them.
        for taps, paused in ((2, False), (3, True), (1, False)):
            self.page.evaluate("(() => { for (let i = 0; i < %d; ++i) for (const kind of ['keydown', 'keyup']) {"
                               " const e = new KeyboardEvent(kind, {key: 'p', code: 'KeyP', bubbles: true});"
                               " Object.defineProperty(e, 'keyCode', {get: () => 80});"
                               " window.dispatchEvent(e); } })()" % taps)
            self.frames_pass(2)
            self.assertEqual(self.state()["paused"], paused, "%d taps of P in one frame" % taps)

        # M silences the mix, and again brings it back.
        self.key(77, "m", "KeyM")
        self.assertTrue(self.state()["muted"])
        self.page.wait_for("Module.vanturoSoundLevel === 0", HANG_GUARD, "M did not silence the sound")
        self.key(77, "m", "KeyM")
        self.assertFalse(self.state()["muted"])
        self.page.wait_for("Module.vanturoSoundLevel > 0", HANG_GUARD, "M did not bring the sound back")

        # F1 lists the keys over the picture, in white.
        before = white_pixels(self.picture(), 40, HUD_TOP)
        self.key(112, "F1", "F1")
        self.frames_pass(2)
        self.assertGreater(white_pixels(self.picture(), 40, HUD_TOP), before + 500)
        self.key(112, "F1", "F1")

        # Escape, pressed out of habit, pauses the flight and says how to go on; a click flies on, no reload.
        self.key(27, "Escape", "Escape")
        self.page.wait_for("document.getElementById('notice').textContent.includes('fly on')", HANG_GUARD,
                           "Escape did not pause the flight with a notice")
        self.assertTrue(self.state()["paused"])
        x = self.state()["ship"]["x"]
        self.frames_pass(10)
        self.assertEqual(self.state()["ship"]["x"], x)
        self.mouse("mousePressed", 400, 300, button="left", clickCount=1)
        self.mouse("mouseReleased", 400, 300, button="left", clickCount=1)
        self.frames_pass(10)
        self.assertFalse(self.state()["paused"])
        self.assertNotEqual(self.state()["ship"]["x"], x)
        self.assertEqual(self.page.evaluate("document.getElementById('notice').textContent"), "")

    def test_the_canvas_fills_a_phone_and_a_finger_steers_and_flies_on(self):
        width, height, ratio = 390, 844, 3
        self.screen(width, height, ratio, touch=True)
        self.page.navigate(self.address)
        self.flight_started()
        # A first visit's bytes as a host that compresses nothing sends them: the large two come gzipped.
        files = self.page.evaluate("performance.getEntriesByType('navigation')"
                                   ".concat(performance.getEntriesByType('resource'))"
                                   ".map(e => [e.name.split('/').pop(), e.encodedBodySize])")
        total = sum(size for _, size in files)
        print("a first visit: %d bytes in %s" % (total, ", ".join(name for name, _ in files)))
        self.assertLess(total, 4_000_000)
        self.assertFalse([name for name, _ in files if name in ("vanturo.data", "vanturo.wasm")])
        canvas = self.canvas()
        # Shown over the whole page, which does not scroll; drawn at the pixel density the setting allows (1.5
        # screen pixels for each of the page's, of the phone's 3).
        self.assertEqual((canvas["shownWidth"], canvas["shownHeight"]), (width, height))
        self.assertLessEqual(canvas["pageWidth"], width)
        self.assertLessEqual(canvas["pageHeight"], height)
        self.assertEqual((canvas["width"], canvas["height"]), (round(width * 1.5), round(height * 1.5)))
        # The heads-up line is whole: white text in the bottom rows, none in the last column.
        picture, w, h = self.picture(), canvas["width"], canvas["height"]
        white = [(p // 3) % w for p in range((h - h // 20) * w * 3, h * w * 3, 3)
                 if picture[p] == picture[p + 1] == picture[p + 2] == 255]
        self.assertGreater(len(white), 100)
        self.assertLess(max(white), w - 1)

        # A finger right of the middle steers right, as the mouse there does; high on the screen it lowers the
        # camera; lifted, both stay.
        self.touch("touchStart", (width * 0.8, height * 0.5))
        self.frames_pass(5)
        self.assertLess(self.state()["ship"]["steer"], 0)
        self.touch("touchMove", (width * 0.5, height * 0.05))
        self.frames_pass(5)
        steer, pitch = self.state()["ship"]["steer"], self.state()["pitch"]
        self.assertAlmostEqual(steer, 0, places=2)
        self.assertLess(pitch, 0.1)
        # A second finger presses, and does not steer.
        self.touch("touchStart", (width * 0.5, height * 0.05), (width * 0.1, height * 0.9))
        self.touch("touchEnd", (width * 0.5, height * 0.05))
        self.touch("touchEnd")
        self.frames_pass(5)
        self.assertEqual((self.state()["ship"]["steer"], self.state()["pitch"]), (steer, pitch))

        # Without a keyboard: the settings screen opens from its button, a tap on a row chooses and changes it,
        # and the button closes it.
        def tap_button(action):
            box = self.page.evaluate("(() => { const r = document.querySelector('[data-action=%s]')"
                                     ".getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2];"
                                     " })()" % action)
            self.touch("touchStart", (box[0], box[1]))
            self.touch("touchEnd")
            self.frames_pass(3)
        tap_button("settings")
        self.assertTrue(self.state()["settingsShown"])
        row, value = self.state()["settingsRow"], self.state()["settingsValue"]
        self.touch("touchStart", (width * 0.5, height * 0.5))
        self.touch("touchEnd")
        self.frames_pass(3)
        self.assertNotEqual((self.state()["settingsRow"], self.state()["settingsValue"]), (row, value))
        tap_button("settings")
        self.assertFalse(self.state()["settingsShown"])
        tap_button("pause")
        self.assertTrue(self.state()["paused"])
        tap_button("pause")
        self.assertFalse(self.state()["paused"])

        # Escape pauses; a tap, on the notice that says so too, flies on.
        self.key(27, "Escape", "Escape")
        self.assertTrue(self.state()["paused"])
        self.touch("touchStart", (width * 0.5, height * 0.05))
        self.touch("touchEnd")
        self.frames_pass(3)
        self.assertFalse(self.state()["paused"])

        # The pixel density raised to 3 on the settings screen: the canvas is drawn as densely as the phone's
        # screen at once, within the cap of a 1080p screen's pixels, its proportions kept.
        self.key(113, "F2", "F2")
        for _ in range(60):  # the screen's rows, and more
            if self.state()["settingsRow"] == "pixel-density":
                break
            self.key(40, "ArrowDown", "ArrowDown")
        for _ in range(12):  # 1 to 4 by quarters
            if self.state()["settingsValue"] == "3":
                break
            self.key(39, "ArrowRight", "ArrowRight")
        self.assertEqual((self.state()["settingsRow"], self.state()["settingsValue"]), ("pixel-density", "3"))
        self.key(113, "F2", "F2")
        self.frames_pass(3)
        canvas = self.canvas()
        self.assertGreater(canvas["width"], width * 2)
        self.assertLessEqual(canvas["width"] * canvas["height"], 1920 * 1080 * 1.01)
        self.assertAlmostEqual(canvas["width"] / canvas["height"], width / height, places=2)

    def test_a_pad_steers_as_the_desktops_controller_and_its_start_button_opens_the_settings(self):
        self.page.navigate(self.address)
        self.flight_started()
        # The browser's pads replaced by one the test holds, laid out in the standard mapping.
        self.page.evaluate("window.pad = {id: 'test pad', index: 0, connected: true, mapping: 'standard',"
                           " timestamp: 1, axes: [0.8, 0, 0, 0],"
                           " buttons: Array.from({length: 17}, () => ({pressed: false, touched: false, value: 0}))};"
                           " navigator.getGamepads = () => [window.pad]; true")
        self.frames_pass(3)
        self.assertLess(self.state()["ship"]["steer"], 0)  # pushed right: steers right, as the mouse there
        self.page.evaluate("window.pad.axes[0] = 0.05; true")  # back at rest, inside the dead zone
        self.frames_pass(3)
        self.assertEqual(self.state()["ship"]["steer"], 0)
        for pressed in ("true", "false"):
            self.page.evaluate("window.pad.buttons[9].pressed = %s; window.pad.buttons[9].value = %s; true" %
                               (pressed, 1 if pressed == "true" else 0))
            self.frames_pass(2)
        self.assertTrue(self.state()["settingsShown"])

    def test_the_page_is_installable_and_a_second_visit_plays_offline(self):
        self.page.navigate(self.address)
        self.flight_started()
        manifest = json.loads(self.page.evaluate("fetch('vanturo.webmanifest').then(r => r.text())", promise=True))
        self.assertEqual(sorted(icon["sizes"] for icon in manifest["icons"]), ["192x192", "512x512"])
        for icon in manifest["icons"]:
            self.assertEqual(self.page.evaluate("fetch('%s').then(r => r.status)" % icon["src"], promise=True), 200)
        self.page.wait_for("navigator.serviceWorker.controller !== null", HANG_GUARD, "the worker did not take the page")
        self.page.call("Network.enable")
        offline = dict(latency=0, downloadThroughput=-1, uploadThroughput=-1)
        self.page.call("Network.emulateNetworkConditions", offline=True, **offline)
        try:
            self.page.navigate(self.address)
            self.flight_started()
        finally:
            self.page.call("Network.emulateNetworkConditions", offline=False, **offline)
            self.page.call("Network.disable")

    def test_the_canvas_follows_the_window_as_it_is_resized(self):
        self.screen(640, 480)
        self.page.navigate(self.address + "?state")  # the live flight's state in the summary, every frame
        self.flight_started()
        live = json.loads(self.page.evaluate("document.getElementById('summary').textContent"))
        self.assertEqual(list(live), ["frames", "ship", "pitch", "entities", "tiles"])
        self.assertGreater(live["frames"], 110)
        for width, height in ((640, 480), (1280, 720), (500, 900)):
            self.screen(width, height)
            self.page.wait_for("document.getElementById('canvas').width === %d && "
                               "document.getElementById('canvas').height === %d" % (width, height), HANG_GUARD,
                               "the canvas did not follow the window to %dx%d" % (width, height))
            self.frames_pass(2)
            self.assertEqual(self.canvas()["pageHeight"], height)

    # Flights in links.

    def sim(self, *arguments, data=None):
        return subprocess.run([SIM, "--data", data or WEB + "/level", "--no-settings", *arguments],
                              capture_output=True, text=True)

    def recorded_link(self, name, data=None, frames=400):
        """A flight scripted in vanturo-sim (steering both ways, a pause), recorded, and its link."""
        script, demo, link = (os.path.join(self.folder, name + ending) for ending in (".txt", ".demo", ".link"))
        with open(script, "w") as f:
            f.write("101 mouse 150 420\n180 mouse 650 200\n220 key down 80\n221 key up 80\n250 key down 80\n"
                    "251 key up 80\n300 mouse 420 300\n")
        recorded = self.sim("--frames", str(frames), "--frame-ms", "16", "--input", script, "--record", demo, data=data)
        self.assertEqual(recorded.returncode, 0, recorded.stderr)
        linked = self.sim("--play", demo, "--link", link, data=data)
        self.assertEqual(linked.returncode, 0, linked.stderr)
        with open(link) as f:
            return demo, f.read().strip()

    def view(self, action, frame=0):
        self.page.evaluate("Module.ccall('vanturoView', null, ['string', 'number'], ['%s', %d])" % (action, frame))

    def test_a_flight_link_replays_as_the_simulation_plays_it_and_a_bad_one_is_refused_in_one_line(self):
        demo, link = self.recorded_link("scripted")
        fragment = link[link.index("#"):]
        played = self.sim("--play", demo)
        self.page.navigate(self.address + "?replay" + fragment)
        summary = self.page.wait_for("document.getElementById('summary').textContent", HANG_GUARD, "no summary")
        self.assertEqual(without_timing(json.loads(summary)), without_timing(json.loads(played.stdout)) |
                         {"demo": json.loads(summary)["demo"]})
        self.assertTrue(json.loads(summary)["demo"]["matches"])
        # Over another level, damaged, or noise: one line, and nothing played.
        other = tempfile.mkdtemp()
        subprocess.run([os.path.join(os.path.dirname(SIM), "vanturo-levelgen"), "--out", other, "--seed", "5",
                        "--width", "128", "--height", "128"], check=True, capture_output=True)
        _, elsewhere = self.recorded_link("elsewhere", data=other, frames=120)
        flipped = fragment[:-12] + ("x" if fragment[-12] != "x" else "y") + fragment[-11:]
        noise = "#flight=" + "".join("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_"[(i * 7919) % 64]
                                     for i in range(100000))
        for name, bad, why in (("another level", elsewhere[elsewhere.index("#"):], "recorded on another level"),
                               ("a flipped character", flipped, "its check does not match"),
                               ("cut in the middle", fragment[:len(fragment) // 2], "cut"),
                               ("100,000 characters of noise", noise, "not a flight link")):
            with self.subTest(link=name):
                self.page.navigate("about:blank")  # a new address only in its fragment would not load again
                self.page.navigate(self.address + "?replay" + bad)
                summary = self.page.wait_for("document.getElementById('summary').textContent", HANG_GUARD, "no summary")
                error = json.loads(summary)["error"]
                self.assertIn(why, error)
                self.assertNotIn("\n", error)
                self.assertNotIn("frames", json.loads(summary))

    def test_a_watched_flight_holds_speeds_seeks_and_hands_over_and_its_shared_link_replays(self):
        self.screen(WIDTH, HEIGHT)
        demo, link = self.recorded_link("watched")
        fragment = link[link.index("#"):]
        self.page.navigate(self.address + "?watch&state" + fragment + "&at=50")  # opened at its 50th frame
        self.page.wait_for("document.getElementById('notice').textContent.includes('watch the flight')", HANG_GUARD,
                           "the watched flight did not wait for a gesture")
        self.mouse("mousePressed", 400, 300, button="left", clickCount=1)
        self.mouse("mouseReleased", 400, 300, button="left", clickCount=1)
        self.assertFalse(self.page.evaluate("document.getElementById('viewer').hidden"))
        self.page.wait_for("Number(document.getElementById('viewer-timeline').value) >= 50 && "
                           "!document.getElementById('viewer-status').textContent.startsWith('Finding')",
                           HANG_GUARD, "the page did not open at the frame its address asks for")
        self.frames_pass(5)
        # Held, the flight stands at its frame; the live mouse steers nothing while it plays.
        self.view("hold")
        held = self.state()["frames"]
        self.mouse("mouseMoved", 790, 300)
        self.page.wait_for("document.getElementById('viewer-status').textContent.includes('held')", HANG_GUARD, "no hold")
        self.assertLessEqual(self.state()["frames"], held + 1)
        self.view("hold")
        self.view("faster")
        self.view("faster")
        self.page.wait_for("document.getElementById('viewer-status').textContent.startsWith('Replay x4')", HANG_GUARD,
                           "no faster")
        # A seek on (flat out to the frame) and one back (the world started again and re-run to it), then played
        # to the end: the state is the flight's own.
        for frame in (300, 120):
            self.view("seek", frame)
            self.page.wait_for("Number(document.getElementById('viewer-timeline').value) >= %d && "
                               "!document.getElementById('viewer-status').textContent.startsWith('Finding')" % frame,
                               HANG_GUARD, "the seek did not reach frame %d" % frame)
        self.assertLess(self.state()["frames"], 300, "the world was not started again for the seek back")
        self.view("faster")
        self.page.wait_for("document.getElementById('notice').textContent.startsWith('The flight is over')", HANG_GUARD,
                           "the watched flight did not end")
        self.assertIn("played 400 of 400 frames: the state matches",
                      self.page.evaluate("document.getElementById('notice').textContent"))
        # Fly from here: the flight goes on live, steered by the mouse, and L shares the whole of it.
        self.view("fly")
        self.mouse("mouseMoved", 790, 300)
        self.page.wait_for("JSON.parse(UTF8ToString(_vanturoState())).ship.steer < -0.4", HANG_GUARD,
                           "the mouse does not steer after flying from here")
        self.assertTrue(self.page.evaluate("document.getElementById('viewer').hidden"))
        self.assertEqual(self.page.evaluate("document.getElementById('notice').textContent"), "")
        self.frames_pass(30)
        self.key(76, "l", "KeyL")
        shared = self.page.wait_for("Module.vanturoSharedLink", HANG_GUARD, "L shared no link")
        self.assertIn("#flight=", shared)
        replayed = self.sim("--play", shared)
        self.assertEqual(replayed.returncode, 0, replayed.stderr)
        self.assertIn("the state matches", json.loads(replayed.stdout)["demo"]["report"])
        self.assertGreater(json.loads(replayed.stdout)["frames"], 430)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[3:], verbosity=2)  # any further words name the tests to run
