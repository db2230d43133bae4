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
RUNS = int(sys.argv[1]) if len(sys.argv) > 1 else 15

# 1. Everything the page loads, each file gzipped as a server would send it.
sizes = {name: len(gzip.compress(open(os.path.join(SITE, name), "rb").read(), 9))
         for name in sorted(os.listdir(SITE))}
print("bytes loaded, gzipped: " + ", ".join(f"{n} {s}" for n, s in sizes.items()))
print(f"total {sum(sizes.values())} bytes ({sum(sizes.values()) / 1024:.1f} KiB; target 60 KB)")

# 2. Navigation to the first decoded result, against a blank page's load.
with open(os.path.join(SITE, "blank.html"), "w") as blank:
    blank.write("<!doctype html><title>blank</title>")
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=SITE)
handler.func.log_message = lambda *args: None
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
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
base = f"http://127.0.0.1:{server.server_address[1]}/"
page, floor = [], []
for _ in range(RUNS):
    browser.get(base + "?maker=cmc&code=KC15")
    page.append(browser.execute_script(
        "return new Promise(r => (function wait() { window.firstResult ? r(window.firstResult) : setTimeout(wait, 1); })())"))
    browser.get(base + "blank.html")
    floor.append(browser.execute_script(
        "return performance.getEntriesByType('navigation')[0].loadEventEnd"))
browser.quit()
server.shutdown()
os.remove(os.path.join(SITE, "blank.html"))
print(f"first decoded result {statistics.median(page):.1f} ms after navigation, "
      f"a blank page's load {statistics.median(floor):.1f} ms (medians of {RUNS})")

# 3. One decode through the module, its calls from JavaScript included, against native.
node = subprocess.run(["node", "--input-type=module", "-e", f"""
    import {{ readFileSync }} from 'node:fs';
    const {{ loadDecoder }} = await import('{SITE}/varnock_api.js');
    const {{ decode }} = await loadDecoder({{ wasmBinary: readFileSync('{SITE}/varnock.wasm') }});
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
