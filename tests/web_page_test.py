#!/usr/bin/python3
"""The page in headless Chromium, served on 127.0.0.1 only, used as a person uses it:
keys, choices, the Process button, the result, the alert, shared links, offline.
Usage: /usr/bin/python3 web_page_test.py SITE_DIR   (Debian's python3-selenium)"""
import functools
import http.server
import os
import shutil
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


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class Server:
    """The page's folder on 127.0.0.1, on a port of its own; it can go away and come back."""

    def __init__(self):
        self.port = 0
        self.start()

    def start(self):
        handler = functools.partial(QuietHandler, directory=SITE)
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", self.port), handler)
        self.port = self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class Page(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = Server()
        cls.profile = tempfile.mkdtemp()
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking", "--disable-sync",
                     "--disable-component-update", "--window-size=1000,900",
                     f"--user-data-dir={cls.profile}"):
            options.add_argument(flag)
        cls.browser = webdriver.Chrome(options=options)

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()
        cls.server.stop()
        shutil.rmtree(cls.profile, ignore_errors=True)

    def open(self, query=""):
        self.browser.get(f"http://127.0.0.1:{self.server.port}/{query}")
        self.wait_for(lambda: self.run_js("return document.readyState") == "complete")

    def run_js(self, script, *args):
        return self.browser.execute_script(script, *args)

    def wait_for(self, condition):
        WebDriverWait(self.browser, 10).until(lambda _: condition())

    def element(self, element_id):
        return self.browser.find_element(By.ID, element_id)

    def paragraphs(self, element_id):
        return self.run_js(
            "return [...document.getElementById(arguments[0]).children].map(p => p.textContent)",
            element_id)

    def test_decodes_what_a_person_types_and_chooses(self):
        self.open()
        code = self.element("code")
        code.send_keys("kc15")
        self.assertEqual(code.get_attribute("value"), "KC15")
        code.send_keys(Keys.TAB, Keys.DOWN)  # the first maker, from the keyboard
        self.assertEqual(Select(self.element("maker")).first_selected_option.text, "CMC Magnetics")
        code.send_keys(Keys.ENTER)
        self.wait_for(lambda: self.paragraphs("result") == ["March 15th, 2006"])
        self.assertTrue(self.browser.current_url.endswith("/?maker=cmc&code=KC15"))

        Select(self.element("maker")).select_by_visible_text("Moser Baer India")
        self.browser.find_element(By.CSS_SELECTOR, "input[value='2000']").click()
        code.clear()
        code.send_keys("123")
        self.browser.find_element(By.CSS_SELECTOR, "button").click()
        self.wait_for(lambda: self.paragraphs("alert") == [NO_DATE, NOTE])
        self.assertEqual(self.element("alert").get_attribute("role"), "alert")
        self.assertEqual(self.paragraphs("result"), ["March 15th, 2006"])  # kept

        code.send_keys(Keys.BACKSPACE * 3, "5123", Keys.ENTER)
        self.wait_for(lambda: self.paragraphs("result") == ["May 3rd, 2005"])
        self.assertEqual(self.paragraphs("alert"), [])

    def test_decades_a_missing_maker_and_not_sure(self):
        self.open("?decade=2000&code=KC15")
        self.element("code").send_keys(Keys.ENTER)  # a decade and no maker: nothing
        self.assertEqual((self.paragraphs("result"), self.paragraphs("alert")), ([], []))
        self.open("?maker=ritek&decade=all&code=ri50615")
        self.wait_for(lambda: len(self.paragraphs("result")) == 4)
        self.assertEqual(self.paragraphs("result"), [
            "1990s: June 15th, 1995", "2000s: June 15th, 2005", "2010s: June 15th, 2015",
            "2020s: June 15th, 2025"])
        self.open("?maker=cmc&decade=all&code=KC15")
        self.wait_for(lambda: self.paragraphs("result") == ["March 15th, 2006"])
        self.open("?code=KC15")
        self.element("code").send_keys(Keys.ENTER)
        self.wait_for(lambda: self.paragraphs("alert") == [
            "No decade selected. This manufacturer requires a decade estimate."])

    def test_a_shared_link_opens_the_same_decode(self):
        self.open("?maker=mcc-dvd&decade=2020&code=mk1")
        self.wait_for(lambda: self.paragraphs("result") == ["2021"])
        shared = self.browser.current_url
        self.assertTrue(shared.endswith("?maker=mcc-dvd&decade=2020&code=MK1"))
        self.open()
        self.browser.get(shared)
        self.wait_for(lambda: self.paragraphs("result") == ["2021"])
        self.assertEqual(self.run_js("return document.querySelector('input:checked').value"), "2020")

    def test_hostile_or_unknown_parameters_are_ignored(self):
        hostile = "<img src=x onerror=document.title='owned'>"
        self.open(f"?maker=%3Cscript%3E&decade=1985&code={hostile}&extra=1")
        self.assertEqual(self.element("code").get_attribute("value"),
                         "<IMG SRC=X ONERROR=DOCUMENT.TITLE='OWNED'>")
        self.assertEqual((self.element("maker").get_attribute("value"), self.browser.title),
                         ("", "Varnock v2.0B1 [BETA]"))
        self.assertEqual(self.run_js("return document.querySelectorAll('img').length"), 0)
        self.assertIsNone(self.run_js("return document.querySelector('input:checked')"))
        self.open("?maker=verbatim&code=" + "K" * 100_000 + "%0AC15")
        self.assertEqual(len(self.element("code").get_attribute("value")), 100_000)
        self.open("?maker=cmc&code=%E0%A4")  # not UTF-8: no code
        self.assertEqual(self.element("code").get_attribute("value"), "\ufffd")

    def test_a_paste_keeps_its_first_line(self):
        self.open()
        self.run_js("""const data = new DataTransfer();
            data.setData('text', 'ka\\r\\n01');
            document.getElementById('code').dispatchEvent(
                new ClipboardEvent('paste', {clipboardData: data, bubbles: true, cancelable: true}));""")
        self.assertEqual(self.element("code").get_attribute("value"), "KA")

    def test_keyboard_labels_colours_and_no_other_host(self):
        self.open("?maker=cmc&code=KC15")
        self.wait_for(lambda: self.paragraphs("result") == ["March 15th, 2006"])
        self.assertEqual(self.run_js(
            "return [...document.querySelectorAll('input, select')].filter(e => !e.labels.length).length"), 0)
        order = []
        for _ in range(4):
            self.browser.switch_to.active_element.send_keys(Keys.TAB)
            order.append(self.run_js("return document.activeElement.name || document.activeElement.type"))
        self.assertEqual(order[:3], ["code", "maker", "decade"])
        self.assertEqual(self.run_js("return document.cookie"), "")
        self.assertEqual(self.run_js("""return performance.getEntriesByType('resource')
            .filter(e => new URL(e.name).origin !== location.origin).length"""), 0)
        light = self.run_js("return getComputedStyle(document.body).backgroundColor")
        self.browser.execute_cdp_cmd("Emulation.setEmulatedMedia", {
            "features": [{"name": "prefers-color-scheme", "value": "dark"}]})
        self.assertNotEqual(self.run_js("return getComputedStyle(document.body).backgroundColor"), light)
        self.browser.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})
        self.browser.set_window_size(360, 800)
        self.assertLessEqual(self.run_js("return document.documentElement.scrollWidth"), 360)
        self.browser.save_screenshot(os.path.join(SITE, "..", "page-360.png"))
        self.browser.set_window_size(1000, 900)
        self.browser.save_screenshot(os.path.join(SITE, "..", "page.png"))

    def test_works_offline_after_the_first_visit(self):
        self.open()
        self.run_js("return navigator.serviceWorker.ready")
        self.open()  # now the worker serves the page
        self.wait_for(lambda: self.run_js("return navigator.serviceWorker.controller !== null"))
        self.server.stop()
        try:
            self.open("?maker=prodisc&decade=2000&code=0366")
            self.wait_for(lambda: self.paragraphs("result") == ["December 31st, 2000"])
        finally:
            self.server.start()


if __name__ == "__main__":
    unittest.main(verbosity=1)
