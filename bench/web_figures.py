#!/usr/bin/python3
"""Figures of the page: the bytes it loads (gzipped), the time from navigation to its
first decoded result in headless Chromium against a blank page in the same run, and
the time of one decode through the module against the native decoder.
Usage: /usr/bin/python3 bench/web_figures.py [RUNS]   (after the wasm and release builds)"""
import functools
import gzip
import http.server
import os
import statistics
import subprocess
import sys
import tempfile
import threading

from selenium import webdriver

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
SITE = os.path.join(ROOT, "build/wasm/web/site")
MODULE = os.path.join(ROOT, "build/wasm/web")  # the module and its JavaScript side
RUNS = int(sys.argv[1]) if len(sys.argv) > 1 else 15

# 1. Everything the page loads, each file gzipped as a server would send it.
sizes = {name: len(gzip.compress(open(os.path.join(SITE, name), "rb").read(), 9))
         for name in sorted(os.listdir(SITE))}
print("bytes loaded, gzipped: " + ", ".join(f"{n} {s}" for n, s in sizes.items()))
print(f"total {sum(sizes.values())} bytes ({sum(sizes.values()) / 1024:.1f} KiB; target 60 KB)")

# 2. Navigation to the first decoded result, against a blank page's load, as a first
# visit (no cache, no worker): on this machine, then on a slow phone network (150 ms
# round trips, 1.6 Mbit/s). Served as a static host serves: gzipped, connections kept.
with open(os.path.join(SITE, "blank.html"), "w") as blank:
    blank.write("<!doctype html><title>blank</title>")

class Gzipped(http.server.SimpleHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def do_GET(self):
        path = self.translate_path(self.path)
        if not os.path.isfile(path):
            path = os.path.join(path, "index.html")
        body = gzip.compress(open(path, "rb").read(), 6)
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass

server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Gzipped, directory=SITE))
threading.Thread(target=server.serve_forever, daemon=True).start()
options = webdriver.ChromeOptions()
options.binary_location = "/usr/bin/chromium"
for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
             "--disable-component-update", "--no-first-run", f"--user-data-dir={tempfile.mkdtemp()}"):
    options.add_argument(flag)
browser = webdriver.Chrome(options=options)
browser.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": """
    new MutationObserver((_, observer) => {
      const result = document.getElementById('result');
      if (result && result.textContent) { window.firstResult = performance.now(); observer.disconnect(); }
    }).observe(document, {subtree: true, childList: true});"""})
browser.execute_cdp_cmd("Network.enable", {})
browser.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
browser.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": True})
base = f"http://127.0.0.1:{server.server_address[1]}/"

def first_visits(network):
    """Medians of the page's first result and of a blank page's load, in turns."""
    browser.execute_cdp_cmd("Network.emulateNetworkConditions", {"offline": False, **network})
    page, floor = [], []
    for _ in range(RUNS):
        browser.get(base + "?maker=cmc&code=KC15")
        page.append(browser.execute_script(
            "return new Promise(r => (function wait() { window.firstResult ? r(window.firstResult) : setTimeout(wait, 1); })())"))
        browser.get(base + "blank.html")
        floor.append(browser.execute_script(
            "return performance.getEntriesByType('navigation')[0].loadEventEnd"))
    return statistics.median(page), statistics.median(floor)

for name, network in (("here", {"latency": 0, "downloadThroughput": -1, "uploadThroughput": -1}),
                      ("150 ms round trips, 1.6 Mbit/s", {"latency": 150, "downloadThroughput": 200_000,
                                                          "uploadThroughput": 200_000})):
    page, floor = first_visits(network)
    print(f"{name}: first decoded result {page:.0f} ms after navigation, a blank page's load {floor:.0f} ms "
          f"(medians of {RUNS}), ratio {page / floor:.2f}" + (" (target 2)" if network["latency"] else ""))
browser.quit()
server.shutdown()
os.remove(os.path.join(SITE, "blank.html"))

# 3. One decode through the module, its calls from JavaScript included, against native.
node = subprocess.run(["node", "--input-type=module", "-e", f"""
    const {{ loadDecoder }} = await import('{MODULE}/varnock_api.js');
    const {{ decode }} = await loadDecoder();
    const codes = [['cmc', 0, 'CMC KC15'], ['daxon', 0, 'DAXON XF12ABC25'], ['ritek', 2000, 'RITEK RI50615'],
                   ['taiyo-yuden', 2000, 'TYG03'], ['mbi', 2000, '5123 MBI']];
    for (let i = 0; i < 20000; ++i) for (const c of codes) decode(...c);
    const start = performance.now(), n = 200000;
    for (let i = 0; i < n; ++i) decode(...codes[i % codes.length]);
    console.log(((performance.now() - start) * 1e6 / n).toFixed(0));"""],
    capture_output=True, text=True, check=True)
print(f"one decode through the module: {node.stdout.strip()} ns (five makers' codes, calls included)")
bench = os.path.join(ROOT, "build/release/bench/decode_bench")
if os.path.exists(bench):
    native = subprocess.run([bench, "--benchmark_format=csv"], capture_output=True, text=True).stdout
    rows = [line.split(",") for line in native.splitlines() if line.startswith('"BM_Decode')]
    print("native Decode: " + ", ".join(f"{r[0].strip(chr(34)).split('/')[1]} {float(r[2]):.0f} ns"
                                        for r in rows))
