#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A collage page dragged in Firefox and saved as Firefox serialises it.

Run by hand (not by CI: Firefox is no build dependency), with Debian's
firefox-esr installed:

    tests/browser/firefox_dragged_page.py PAGE.html OUT.html [ITEM-ID DX DY]

Firefox is started headless with its Marionette remote protocol on a free
port, with a profile of its own. The page is opened, the item (by default
the topmost text snip with words) is dragged by the mouse through the
page's own drag script, and the DOM is written to OUT.html as
XMLSerializer serialises the document: the doctype and the html element in
one string, the way Firefox's own "save page" keeps the DOM it has. The item's
box before and after the drag is printed as JSON on stdout.
"""
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time


class Marionette:
    """Length-prefixed JSON commands: [0, id, name, parameters]."""

    def __init__(self, port):
        deadline = time.time() + 60
        while True:
            try:
                self.sock = socket.create_connection(("127.0.0.1", port), timeout=60)
                break
            except OSError:
                if time.time() > deadline:
                    raise
                time.sleep(0.3)
        self.next_id = 0
        self.receive()  # the server's greeting

    def receive(self):
        length = b""
        while not length.endswith(b":"):
            length += self.sock.recv(1)
        size = int(length[:-1])
        data = b""
        while len(data) < size:
            data += self.sock.recv(size - len(data))
        return json.loads(data)

    def command(self, name, parameters=None):
        self.next_id += 1
        body = json.dumps([0, self.next_id, name, parameters or {}]).encode()
        self.sock.sendall(str(len(body)).encode() + b":" + body)
        _, _, error, result = self.receive()
        if error:
            raise RuntimeError(f"{name}: {error}")
        return result

    def script(self, source, *arguments):
        return self.command("WebDriver:ExecuteScript", {"script": source, "args": list(arguments)})["value"]


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


BOX = """
const item = document.getElementById(arguments[0]);
const outer = document.getElementById('pagecontainer').getBoundingClientRect();
const r = (item.querySelector('img[name]') || item).getBoundingClientRect();
return {left: r.left - outer.left - 1, top: r.top - outer.top - 1, width: r.width, height: r.height,
        x: r.left, y: r.top};
"""

TOPMOST_SNIP = """
return [...document.querySelectorAll('#pagecontainer > div[id^=dpagetextitem]')]
  .filter((item) => item.textContent.trim())
  .sort((a, b) => Number(b.style.zIndex) - Number(a.style.zIndex))[0].id;
"""


def drag(client, item_id, dx, dy):
    start = client.script(BOX, item_id)
    x, y = int(start["x"]) + 5, int(start["y"]) + 5
    moves = [{"type": "pointerMove", "x": x, "y": y, "duration": 0}, {"type": "pointerDown", "button": 0}]
    for step in range(1, 9):
        moves.append({"type": "pointerMove", "x": x + dx * step // 8, "y": y + dy * step // 8, "duration": 20})
    moves.append({"type": "pointerUp", "button": 0})
    client.command("WebDriver:PerformActions", {"actions": [
        {"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"}, "actions": moves}]})
    client.command("WebDriver:ReleaseActions")
    return start, client.script(BOX, item_id)


def main():
    if len(sys.argv) not in (3, 6):
        print(__doc__, file=sys.stderr)
        return 2
    page, out = os.path.abspath(sys.argv[1]), sys.argv[2]
    profile = tempfile.mkdtemp(prefix="tarvex4-firefox-")
    port = free_port()
    with open(os.path.join(profile, "user.js"), "w") as prefs:
        prefs.write(f'user_pref("marionette.port", {port});\n')
        prefs.write('user_pref("browser.shell.checkDefaultBrowser", false);\n')
        prefs.write('user_pref("datareporting.policy.dataSubmissionEnabled", false);\n')
    firefox = subprocess.Popen(
        [os.environ.get("FIREFOX", "firefox-esr"), "--headless", "--marionette", "--no-remote", "--profile", profile],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env={**os.environ, "MOZ_HEADLESS": "1"})
    try:
        client = Marionette(port)
        client.command("WebDriver:NewSession", {"capabilities": {"alwaysMatch": {"acceptInsecureCerts": True}}})
        client.command("WebDriver:SetWindowRect", {"width": 1000, "height": 1250})
        client.command("WebDriver:Navigate", {"url": "file://" + page})
        item_id = sys.argv[3] if len(sys.argv) == 6 else client.script(TOPMOST_SNIP)
        dx, dy = (int(sys.argv[4]), int(sys.argv[5])) if len(sys.argv) == 6 else (63, 41)
        before, after = drag(client, item_id, dx, dy)
        # XMLSerializer gives the doctype with the element and names no
        # namespace on an HTML document's elements: the DOM as Firefox holds it.
        html = client.script("return new XMLSerializer().serializeToString(document);")
        with open(out, "w", encoding="utf-8") as saved:
            saved.write(html)
        print(json.dumps({"id": item_id, "before": before, "after": after}))
        client.command("WebDriver:DeleteSession")
    finally:
        firefox.terminate()
        try:
            firefox.wait(timeout=20)
        except subprocess.TimeoutExpired:
            firefox.kill()
        shutil.rmtree(profile, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
