#!/usr/bin/python3
# The page in headless Chromium, served on 127.0.0.1 only, used as a person uses it:
# keys, choices, the Process button, the result, the alert, shared links, offline.
# Usage: /usr/bin/python3 web_page_test.py SITE_DIR AXE_JS   (Debian's python3-selenium;
# AXE_JS is axe-core's axe.min.js, from npm)
import http.server
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import unittest

from selenium import webdriver
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

SITE = sys.argv.pop(1) if len(sys.argv) > 1 else "build/wasm/web/site"
AXE = sys.argv.pop(1) if len(sys.argv) > 1 else "build/wasm/npm/node_modules/axe-core/axe.min.js"
WEB = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "web")
LOAD_FAILED = "The decoder could not be loaded; reload the page to try again."
NO_DATE = "No date string found in the provided input. Please check the serial code you entered."
NOTE = ("NOTE: If you're trying to decode an MBI serial with 3 digits, the disc is likely made "
        "in 2000 or 2010, therefore you should add a 0 to the beginning.")

class Page(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), cls.Files)  # the page's folder
        cls.port = cls.server.server_address[1]
        threading.Thread(target=cls.server.serve_forever, daemon=True).start()
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1280,900",
                     "--disable-background-networking", f"--user-data-dir={tempfile.mkdtemp()}"):
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        cls.browser = webdriver.Chrome(options=options)
        cls.browser.execute_cdp_cmd("Browser.grantPermissions", {"permissions": [
            "clipboardReadWrite", "clipboardSanitizedWrite"]})

    class Files(http.server.SimpleHTTPRequestHandler):
        # The site served, and whether the network is down, are read at each request: the
        # browser also sends one on a connection it opened before they changed. Down, a
        # request ends unanswered (each connection ends with its one answer).
        def send_head(self):
            self.directory = Page.site
            return None if Page.offline else super().send_head()

        # Every file may be kept a day, as many hosts allow: the browser's cache then
        # holds old files once a new version is served.
        def end_headers(self):
            self.send_header("Cache-Control", "max-age=86400")
            super().end_headers()

        def log_message(self, *args):
            pass

    site, offline = SITE, False

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()
        cls.server.shutdown()

    def open(self, query=""):
        self.browser.get(f"http://127.0.0.1:{self.port}/{query}")

    def js(self, script):
        return self.browser.execute_script("return " + script)

    def wait_for(self, condition):
        WebDriverWait(self.browser, 10).until(lambda _: condition())

    def paragraphs(self, element_id):
        return self.js(f"[...document.getElementById('{element_id}').children].map(p => p.textContent)")

    def shows(self, element_id, paragraphs):
        self.wait_for(lambda: self.paragraphs(element_id) == paragraphs)

    def axe_is_clean(self, state):
        if not self.js("window.axe !== undefined"):
            self.browser.execute_script(open(AXE).read())
        found = self.browser.execute_async_script("""arguments[arguments.length - 1]
            ((await axe.run(document, {runOnly: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa',
              'wcag22aa', 'best-practice']})).violations.map(v => v.id + ': ' + v.nodes[0].html))""")
        self.assertEqual(found, [], state)

    def test_decodes_what_a_person_types_and_chooses(self):
        self.open()
        self.assertEqual(self.js("document.activeElement.id"), "code")
        code = self.browser.switch_to.active_element
        code.send_keys("kc", Keys.LEFT, Keys.RIGHT)  # typing ends, as when the mouse moves on
        self.js("""code.dispatchEvent(new ClipboardEvent('paste', {bubbles: true, cancelable: true,
            clipboardData: (() => { const d = new DataTransfer(); d.setData('text', '15\\r\\nX'); return d; })()}))""")
        self.assertEqual([code.get_attribute("value"), self.js("getComputedStyle(code).textTransform")],
                         ["kc15", "uppercase"])  # the first line pasted; upper case shown
        code.send_keys(Keys.CONTROL, "z")
        self.assertEqual(code.get_attribute("value"), "kc")  # the paste undone
        code.send_keys("15", Keys.TAB, Keys.DOWN)  # the first maker, from the keyboard
        code.send_keys(Keys.ENTER)
        self.shows("result", ["March 15th, 2006"])
        self.assertEqual(self.js("document.getElementById('result-for').textContent"), "KC15, CMC Magnetics")
        self.assertTrue(self.browser.current_url.endswith("/?maker=cmc&code=kc15"))
        Select(self.browser.find_element(By.ID, "maker")).select_by_visible_text("Moser Baer India")
        self.browser.find_element(By.CSS_SELECTOR, "input[value='2000']").click()
        code.clear()
        code.send_keys("123")
        self.browser.find_element(By.ID, "process").click()
        self.shows("alert", [NO_DATE, NOTE])  # in two paragraphs, announced
        self.assertEqual(self.js("document.getElementById('alert').role"), "alert")
        self.assertEqual(self.paragraphs("result"), ["March 15th, 2006"])  # kept
        code.send_keys(Keys.BACKSPACE * 3, "5123", Keys.ENTER)
        self.shows("result", ["May 3rd, 2005"])
        self.assertEqual(self.paragraphs("alert"), [])
        self.browser.back()  # each decode that showed something is a history entry
        self.shows("alert", [NO_DATE, NOTE])
        self.assertEqual([self.paragraphs("result"), self.js("code.value")], [["March 15th, 2006"], "123"])
        self.browser.back()
        self.shows("result", ["March 15th, 2006"])
        self.assertEqual(self.paragraphs("alert"), [])
        self.browser.forward()
        self.browser.forward()
        self.shows("result", ["May 3rd, 2005"])
        entries = self.js("history.length")
        code.send_keys(Keys.ENTER)  # the same decode again, and one with no maker: no entry
        Select(self.browser.find_element(By.ID, "maker")).select_by_index(0)
        code.send_keys(Keys.ENTER)
        self.assertEqual([self.js("history.length"), self.browser.current_url.split("/")[-1]],
                         [entries, "?maker=mbi&decade=2000&code=5123"])

    def test_no_maker_not_sure_and_shared_links(self):
        self.open("?decade=2000&code=KC15")
        self.browser.find_element(By.ID, "code").send_keys(Keys.ENTER)  # no maker: nothing
        self.assertEqual((self.paragraphs("result"), self.paragraphs("alert")), ([], []))
        self.open("?maker=cmc&decade=all&code=KC15")  # a maker that needs no decade: once
        self.shows("result", ["March 15th, 2006"])
        fixed = self.browser.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source":  # today
            "Date = class extends Date { constructor(...a) { super(...(a.length ? a : [2026, 11, 8])) } }"})
        self.open("?maker=ritek&decade=all&code=RI90615")
        self.shows("result", ["1990s: June 15th, 1999", "2000s: June 15th, 2009", "2010s: June 15th, 2019"])
        self.assertEqual(self.js("document.getElementById('left-out').textContent"),
                         "1 candidate dated after today is not shown: it cannot be true.")
        self.open("?maker=any&decade=all&code=HY09J405110318B11")
        years, fives = "Mitsubishi Chemical Corporation [DVD\u00b1R], Taiyo Yuden: ", \
            "MJC Pte Ltd (Singapore), Optodisc Technology, Ritek Corporation: May 11th, "
        self.shows("result", ["Whole year in the code", "Daxon Technology: May 31st, 1986",
                              "1990s", years + "1990", fives + "1994", "2000s", years + "2000", fives + "2004",
                              "2010s", years + "2010", fives + "2014", "2020s", years + "2020", fives + "2024"])
        self.browser.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", fixed)
        self.open("?maker=mcc-dvd&decade=2020&code=mk1")
        self.shows("result", ["2021"])
        self.assertEqual(self.js("document.querySelector('input:checked').value"), "2020")
        self.browser.find_element(By.ID, "copy").click()
        self.wait_for(lambda: self.js("document.getElementById('copied').textContent") == "Date copied.")
        self.assertEqual(self.browser.execute_async_script(
            "navigator.clipboard.readText().then(arguments[0])"), "2021")
        self.browser.find_element(By.ID, "copy-link").click()
        self.wait_for(lambda: self.browser.execute_async_script(
            "navigator.clipboard.readText().then(arguments[0])").endswith("?maker=mcc-dvd&decade=2020&code=mk1"))
        self.browser.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": "print"})
        self.assertEqual(self.js("[...document.querySelectorAll('form, #summary, #result')].map(e => e.checkVisibility())"),
                         [False, True, True])
        self.assertEqual(self.paragraphs("summary"), ["Hub code: MK1", "Manufacturer: Mitsubishi Chemical "
                                                      "Corporation [DVD\u00b1R]", "Decade: 2020s"])
        self.browser.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": ""})
        self.browser.find_element(By.ID, "example").click()  # the example fills the form
        self.shows("result", ["March 15th, 2006"])
        self.assertEqual(self.js("[code.value, maker.value]"), ["CMC MAG KC15", "cmc"])

    def test_hostile_or_unknown_parameters_are_ignored(self):
        self.open("?maker=%3Cscript%3E&decade=1985&code=<img src=x onerror=document.title=1>&x=1")
        self.assertEqual(self.js("[code.value, maker.value, document.title, "
                                 "document.querySelectorAll('main img:not(.logo img), input:checked').length]"),
                         ["<img src=x onerror=document.title=1>", "", "Varnock v2.0B1 [BETA]", 0])
        self.open("?maker=verbatim&code=" + "K" * 100_000 + "%0AC15")  # its first line
        self.assertEqual(self.js("code.value.length"), 100_000)
        self.open("?maker=cmc&code=%E0%A4")  # not UTF-8
        self.assertEqual(self.js("code.value"), "\ufffd")

    def test_keyboard_logo_contrast_phones_and_no_other_host(self):
        self.open("?maker=cmc&code=KC15")
        self.shows("result", ["March 15th, 2006"])
        self.js("document.getElementById('example').focus()")
        for expected in ("code", "maker", "decade", "process", "copy", "copy-link"):  # Tab reaches each
            self.browser.switch_to.active_element.send_keys(Keys.TAB)
            self.assertEqual(self.js("document.activeElement.name || document.activeElement.id"), expected)
        self.js("code.focus()")
        for _ in range(2):  # back past the example, the logo
            self.browser.switch_to.active_element.send_keys(Keys.SHIFT, Keys.TAB)
        logo = self.browser.switch_to.active_element
        self.assertEqual([logo.get_attribute("href"), logo.accessible_name],
                         ["https://varnock.example.org/", "Varnock web page"])
        logo.click()  # the web page, once, beside this one
        self.assertEqual(len(self.browser.window_handles), 2)
        self.browser.switch_to.window(self.browser.window_handles[1])
        self.browser.close()
        self.browser.switch_to.window(self.browser.window_handles[0])
        self.assertEqual(self.js("""[document.cookie, performance.getEntriesByType('resource')
            .filter(e => new URL(e.name).origin !== location.origin).length]"""), ["", 0])
        for scheme in ("light", "dark"):
            self.browser.execute_cdp_cmd("Emulation.setEmulatedMedia", {
                "features": [{"name": "prefers-color-scheme", "value": scheme}]})
            for width in (1280, 360):
                self.browser.set_window_size(width, 740)
                self.open("?maker=mcc-cdr&decade=2020&code=K7AB")
                self.shows("result", ["2027"])
                self.axe_is_clean(f"{scheme} {width} with a date")
                self.browser.find_element(By.ID, "code").send_keys(Keys.BACKSPACE * 4, "K", Keys.ENTER)
                self.shows("alert", [NO_DATE])
                self.assertLessEqual(self.js("document.getElementById('alert').getBoundingClientRect().bottom"),
                                     self.js("innerHeight") + 1)  # brought into view
                self.axe_is_clean(f"{scheme} {width} with an error")
        self.browser.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})
        self.assertEqual(self.js("""[...document.querySelectorAll('input[type=radio], button:not(.link)')]
            .filter(e => e.checkVisibility()).filter(e => e.getBoundingClientRect().height < 24 || e.getBoundingClientRect().width < 24)"""), [])
        self.browser.set_window_size(320, 740)
        Select(self.browser.find_element(By.ID, "maker")).select_by_value("mcc-dvd")
        self.assertEqual(self.js("[document.documentElement.scrollWidth - document.documentElement.clientWidth,"
                                 "document.getElementById('maker-name').checkVisibility()"
                                 "&& document.getElementById('maker-name').textContent]"),
                         [0, "Mitsubishi Chemical Corporation [DVD\u00b1R]"])
        self.assertEqual(self.browser.execute_async_script("""const logo = document.querySelector('.logo img');
            const sharp = new Image();  // the logo's picture for twice as many pixels
            sharp.onload = () => arguments[0]([logo.width, sharp.naturalWidth]);
            sharp.src = logo.srcset.match(/(\\S+) 2x/)[1];"""), [100, 200])
        self.browser.set_window_size(1280, 900)
        self.browser.save_screenshot(os.path.join(SITE, "..", "page.png"))

    def test_installable_and_previewed(self):
        self.open()
        manifest = self.browser.execute_async_script("""fetch(document.querySelector('link[rel=manifest]').href)
            .then(r => r.json()).then(arguments[0])""")
        self.assertEqual({key: manifest[key] for key in ("name", "short_name", "start_url", "display",
                                                         "theme_color", "background_color")},
                         {"name": "Varnock", "short_name": "Varnock", "start_url": "./", "display": "standalone",
                          "theme_color": "#1d3557", "background_color": "#f6f8fa"})
        self.assertEqual(sorted((i["sizes"], i["purpose"]) for i in manifest["icons"]),
                         [("192x192", "any"), ("512x512", "any"), ("512x512", "maskable")])
        self.assertEqual(self.browser.execute_async_script("""Promise.all([...document.querySelectorAll(
            'link[rel~=icon], link[rel=apple-touch-icon]')].map(l => fetch(l.href).then(r => r.status)))
            .then(arguments[0])"""), [200, 200, 200])
        self.assertEqual(self.js("""[...document.querySelectorAll('meta[property^="og:"], noscript')]
            .map(e => e.getAttribute('property') || e.tagName)"""), ["og:type", "og:title", "og:description",
                                                                   "NOSCRIPT"])

    def test_a_decoder_that_cannot_load_says_so(self):
        broken = self.browser.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source":
            "WebAssembly.instantiate = () => Promise.reject(new Error('out of memory'))"})
        try:
            self.browser.get_log("browser")
            self.open("?maker=cmc&code=KC15")
            self.shows("alert", [LOAD_FAILED])
            self.assertEqual([self.js("process.disabled"), self.paragraphs("result")], [True, []])
            self.axe_is_clean("no decoder")
            self.assertEqual([entry["message"] for entry in self.browser.get_log("browser")
                              if "Uncaught" in entry["message"]], [])
        finally:
            self.browser.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", broken)

    def test_works_offline_and_a_new_version_arrives_on_return(self):
        self.open()
        self.js("navigator.serviceWorker.ready")
        self.open()  # now the worker serves the page
        self.wait_for(lambda: self.js("navigator.serviceWorker.controller !== null"))
        type(self).offline = True
        try:
            self.open("?maker=prodisc&decade=2000&code=0366")
            self.shows("result", ["December 31st, 2000"])
        finally:
            type(self).offline = False
        # Version 2, with a changed file, served where the browser still keeps version 1.
        sources, site = tempfile.mkdtemp(), tempfile.mkdtemp()
        for name in ("app.js", "style.css", "index.html.in", "sw.js.in"):
            shutil.copy(os.path.join(WEB, name), sources)
        with open(os.path.join(sources, "app.js"), "a") as app:
            app.write("document.documentElement.dataset.version = 'two';\n")
        subprocess.run(["node", os.path.join(WEB, "build_page.mjs"), site, os.path.join(SITE, ".."), sources],
                       check=True)
        type(self).site = site
        try:  # also where no room is left to keep it
            self.browser.execute_cdp_cmd("Storage.overrideQuotaForOrigin", {"origin": f"http://127.0.0.1:{self.port}", "quotaSize": 1})
            self.open("?maker=prodisc&decade=2000&code=0366")
            self.wait_for(lambda: self.js("document.documentElement.dataset.version") == "two")
            self.shows("result", ["December 31st, 2000"])
        finally:
            type(self).site = SITE

if __name__ == "__main__":
    unittest.main(verbosity=1)
