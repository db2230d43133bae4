#!/usr/bin/python3
# The page in headless Chromium, served on 127.0.0.1 only, used as a person uses it:
# keys, choices, the Process button, the result, the alert, shared links, offline.
# Usage: /usr/bin/python3 web_page_test.py SITE_DIR   (Debian's python3-selenium)
import functools
import http.server
import os
import sys
import tempfile
import threading
import unittest

from selenium import webdriver
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

SITE = sys.argv.pop(1) if len(sys.argv) > 1 else "build/wasm/web/site"
NO_DATE = "No date string found in the provided input. Please check the serial code you entered."
NOTE = ("NOTE: If you're trying to decode an MBI serial with 3 digits, the disc is likely made "
        "in 2000 or 2010, therefore you should add a 0 to the beginning.")

class Page(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.port = 0
        cls.serve()
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1000,900",
                     "--disable-background-networking", f"--user-data-dir={tempfile.mkdtemp()}"):
            options.add_argument(flag)
        cls.browser = webdriver.Chrome(options=options)

    @classmethod
    def serve(cls):  # the page's folder on 127.0.0.1, always on the same port
        handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=SITE)
        handler.func.log_message = lambda *args: None
        cls.server = http.server.ThreadingHTTPServer(("127.0.0.1", cls.port), handler)
        cls.port = cls.server.server_address[1]
        threading.Thread(target=cls.server.serve_forever, daemon=True).start()

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

    def test_decodes_what_a_person_types_and_chooses(self):
        self.open()
        code = self.browser.find_element(By.ID, "code")
        code.send_keys("kc15")
        self.assertEqual(code.get_attribute("value"), "KC15")
        code.send_keys(Keys.TAB, Keys.DOWN)  # the first maker, from the keyboard
        code.send_keys(Keys.ENTER)
        self.shows("result", ["March 15th, 2006"])
        self.assertTrue(self.browser.current_url.endswith("/?maker=cmc&code=KC15"))
        Select(self.browser.find_element(By.ID, "maker")).select_by_visible_text("Moser Baer India")
        self.browser.find_element(By.CSS_SELECTOR, "input[value='2000']").click()
        code.clear()
        code.send_keys("123")
        self.browser.find_element(By.CSS_SELECTOR, "button").click()
        self.shows("alert", [NO_DATE, NOTE])  # in two paragraphs, announced
        self.assertEqual(self.js("document.getElementById('alert').role"), "alert")
        self.assertEqual(self.paragraphs("result"), ["March 15th, 2006"])  # kept
        code.send_keys(Keys.BACKSPACE * 3, "5123", Keys.ENTER)
        self.shows("result", ["May 3rd, 2005"])
        self.assertEqual(self.paragraphs("alert"), [])

    def test_no_maker_not_sure_and_shared_links(self):
        self.open("?decade=2000&code=KC15")
        self.browser.find_element(By.ID, "code").send_keys(Keys.ENTER)  # no maker: nothing
        self.assertEqual((self.paragraphs("result"), self.paragraphs("alert")), ([], []))
        self.open("?maker=ritek&decade=all&code=ri50615")
        self.shows("result", ["1990s: June 15th, 1995", "2000s: June 15th, 2005",
                              "2010s: June 15th, 2015", "2020s: June 15th, 2025"])
        self.open("?maker=cmc&decade=all&code=KC15")  # a maker that needs no decade: once
        self.shows("result", ["March 15th, 2006"])
        self.open("?maker=mcc-dvd&decade=2020&code=mk1")
        self.shows("result", ["2021"])
        shared = self.browser.current_url
        self.assertTrue(shared.endswith("?maker=mcc-dvd&decade=2020&code=MK1"))
        self.open()
        self.browser.get(shared)
        self.shows("result", ["2021"])
        self.assertEqual(self.js("document.querySelector('input:checked').value"), "2020")

    def test_hostile_or_unknown_parameters_are_ignored(self):
        self.open("?maker=%3Cscript%3E&decade=1985&code=<img src=x onerror=document.title=1>&x=1")
        self.assertEqual(self.js("[code.value, maker.value, document.title, "
                                 "document.querySelectorAll('img, input:checked').length]"),
                         ["<IMG SRC=X ONERROR=DOCUMENT.TITLE=1>", "", "Varnock v2.0B1 [BETA]", 0])
        self.open("?maker=verbatim&code=" + "K" * 100_000 + "%0AC15")  # its first line
        self.assertEqual(self.js("code.value.length"), 100_000)
        self.open("?maker=cmc&code=%E0%A4")  # not UTF-8
        self.assertEqual(self.js("code.value"), "\ufffd")
        self.js("""(code.value = "") || code.dispatchEvent(new ClipboardEvent('paste', {bubbles: true, cancelable: true,
            clipboardData: (() => { const d = new DataTransfer(); d.setData('text', 'ka\\r\\n01'); return d; })()}))""")
        self.assertEqual(self.js("code.value"), "KA")

    def test_keyboard_labels_colours_width_and_no_other_host(self):
        self.open("?maker=cmc&code=KC15")
        self.shows("result", ["March 15th, 2006"])
        self.assertEqual(self.js("[...document.querySelectorAll('input, select')].filter(e => !e.labels.length)"), [])
        for expected in ("code", "maker", "decade", "BUTTON"):  # Tab reaches every control
            self.browser.switch_to.active_element.send_keys(Keys.TAB)
            self.assertEqual(self.js("document.activeElement.name || document.activeElement.tagName"),
                             expected)
        self.assertEqual(self.js("""[document.cookie, performance.getEntriesByType('resource')
            .filter(e => new URL(e.name).origin !== location.origin).length]"""), ["", 0])
        light = self.js("getComputedStyle(document.body).backgroundColor")
        self.browser.execute_cdp_cmd("Emulation.setEmulatedMedia", {
            "features": [{"name": "prefers-color-scheme", "value": "dark"}]})
        self.assertNotEqual(self.js("getComputedStyle(document.body).backgroundColor"), light)
        self.browser.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})
        self.browser.set_window_size(360, 800)
        self.assertLessEqual(self.js("document.documentElement.scrollWidth"), 360)
        self.browser.set_window_size(1000, 900)
        self.browser.save_screenshot(os.path.join(SITE, "..", "page.png"))

    def test_works_offline_after_the_first_visit(self):
        self.open()
        self.js("navigator.serviceWorker.ready")
        self.open()  # now the worker serves the page
        self.wait_for(lambda: self.js("navigator.serviceWorker.controller !== null"))
        self.server.shutdown()
        self.server.server_close()
        try:
            self.open("?maker=prodisc&decade=2000&code=0366")
            self.shows("result", ["December 31st, 2000"])
        finally:
            self.serve()

if __name__ == "__main__":
    unittest.main(verbosity=1)
