#!/usr/bin/env python3
"""varnock-cli driven as a user drives it: arguments, standard input, exit status."""
import csv
import io
import json
import os
import subprocess
import sys
import unittest

CLI = os.environ.get("VARNOCK_CLI", "build/release/cli/varnock-cli")
NO_DATE = ("No date string found in the provided input. "
           "Please check the serial code you entered.")
NO_DATE_NOTE = (NO_DATE + "\n\nNOTE: If you're trying to decode an MBI serial with 3 digits, "
                "the disc is likely made in 2000 or 2010, therefore you should add a 0 to the "
                "beginning.")
IDS = ["cmc", "daxon", "kodak", "mcc-cdr", "mcc-dvd", "mitsui", "mjc", "mbi", "optodisc",
       "prodisc", "ritek", "taiyo-yuden", "tdk"]


def run(*args, stdin=b""):
    """Runs the program; returns (status, stdout, stderr) with both outputs as bytes."""
    done = subprocess.run([CLI, *args], input=stdin, capture_output=True, timeout=60)
    return done.returncode, done.stdout, done.stderr


class Arguments(unittest.TestCase):
    def test_codes_given_as_arguments(self):
        rows = [
            ("cmc code in the last window", ["-m", "cmc", "XKC15"], 0, "March 15th, 2006\n"),
            ("lower case typed", ["-m", "cmc", "kc15"], 0, "March 15th, 2006\n"),
            ("blanks removed", ["-m", "cmc", "KC 15"], 0, "March 15th, 2006\n"),
            ("long option with =", ["--maker=ritek", "--decade=2000", "RI50615"], 0,
             "June 15th, 2005\n"),
            ("several codes in order", ["-m", "mbi", "-d", "2000", "5123", "4060"], 0,
             "May 3rd, 2005\nFebruary 29th, 2004\n"),
            ("error keeps its newlines", ["-m", "mbi", "-d", "2000", "123"], 1,
             "error: " + NO_DATE_NOTE + "\n"),
            ("no decade for a maker that needs one", ["-m", "tdk", "A4XYZ"], 1,
             "error: No decade selected. This manufacturer requires a decade estimate.\n"),
            ("one error among dates", ["-m", "cmc", "KC15", "KC45"], 1,
             "March 15th, 2006\nerror: " + NO_DATE + "\n"),
            ("full name as maker", ["-m", "Ritek Corporation", "-d", "1990", "RI50615"], 0,
             "June 15th, 1995\n"),
            ("DVD name in UTF-8 routes", ["-m", "Mitsubishi Chemical Corporation [DVD\u00b1R]",
                                          "-d", "2020", "MK1"], 0, "2021\n"),
            ("latin letter turned upper before the decode", ["-m", "daxon", "x\u00e912abc25"], 0,
             "December 25th, 1879\n"),
            ("character outside the code page", ["-m", "daxon", "X\u041612ABC25"], 0,
             "December 25th, 1997\n"),
            ("127 characters reach the decoder", ["-m", "cmc", "X" * 123 + "KC15"], 0,
             "March 15th, 2006\n"),
            ("the 128th character is cut", ["-m", "cmc", "X" * 124 + "KC15"], 1,
             "error: " + NO_DATE + "\n"),
            ("blanks count toward the cut", ["-m", "cmc", " " * 124 + "KC15"], 1,
             "error: " + NO_DATE + "\n"),
            ("option after the code", ["KC15", "-m", "cmc"], 0, "March 15th, 2006\n"),
        ]
        for name, args, status, out in rows:
            with self.subTest(name):
                self.assertEqual(run(*args), (status, out.encode(), b""))

    def test_all_decades(self):
        rows = [
            ("ritek gives four candidates", ["-m", "ritek", "-d", "all", "RI50615"], 0,
             "1990\tJune 15th, 1995\n2000\tJune 15th, 2005\n"
             "2010\tJune 15th, 2015\n2020\tJune 15th, 2025\n"),
            ("cmc decodes once with no decade", ["-m", "cmc", "-d", "all", "KC15"], 0,
             "0\tMarch 15th, 2006\n"),
            ("leap years differ by decade", ["-m", "prodisc", "-d", "all", "0366"], 1,
             "1990\terror: " + NO_DATE_NOTE + "\n2000\tDecember 31st, 2000\n"
             "2010\terror: " + NO_DATE_NOTE + "\n2020\tDecember 31st, 2020\n"),
        ]
        for name, args, status, out in rows:
            with self.subTest(name):
                self.assertEqual(run(*args), (status, out.encode(), b""))


class StandardInput(unittest.TestCase):
    def test_lines(self):
        rows = [
            ("one code a line", b"KC15\nZA00\n", 0, "March 15th, 2006\nJanuary , 2021\n"),
            ("CR of CRLF dropped", b"KC15\r\n", 0, "March 15th, 2006\n"),
            ("last line without newline", b"KC15\nAB31", 0,
             "March 15th, 2006\nFebruary 31st, 1996\n"),
            ("empty line is a code", b"\nKC15\n", 1, "error: " + NO_DATE + "\nMarch 15th, 2006\n"),
            ("no input, no records", b"", 0, ""),
            ("NUL byte belongs to no class", b"K\x00C15\nKC15\x00\n", 1,
             "error: " + NO_DATE + "\nMarch 15th, 2006\n"),
            ("invalid UTF-8 is an error for its line alone", b"KC\xff15\nKC15\n", 1,
             "error: the code is not valid UTF-8\nMarch 15th, 2006\n"),
            ("long line decoded from its first 127 characters",
             b"KC15" + b"X" * 3_000_000 + b"\n" + b"X" * 200 + b"KC15\n", 1,
             "March 15th, 2006\nerror: " + NO_DATE + "\n"),
        ]
        for name, stdin, status, out in rows:
            with self.subTest(name):
                self.assertEqual(run("-m", "cmc", stdin=stdin), (status, out.encode(), b""))

    def test_binary_junk_gives_one_record_a_line(self):
        junk = bytes((i * 7919 + i // 3) % 256 for i in range(300_000))
        status, out, err = run("-m", "daxon", "-f", "json", stdin=junk)
        self.assertEqual(status, 1)
        self.assertEqual(err, b"")
        records = [json.loads(line) for line in out.decode().splitlines()]
        self.assertEqual(len(records), junk.count(b"\n") + (0 if junk.endswith(b"\n") else 1))

    def test_closed_output_ends_the_run(self):
        process = subprocess.Popen([CLI, "-m", "cmc"], stdin=subprocess.PIPE,
                                   stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        process.stdout.close()
        try:
            _, err = process.communicate(b"KC15\n" * 2_000_000, timeout=60)
        except BrokenPipeError:
            err = process.stderr.read()
            process.wait(timeout=60)
        self.assertEqual(process.returncode, 1)  # not killed by a signal
        self.assertEqual(err, b"")

    def test_first_line_through_head(self):
        done = subprocess.run(f"yes KC15 | head -n 100000 | {CLI} -m cmc | head -n 1",
                              shell=True, capture_output=True, timeout=60)
        self.assertEqual(done.stdout, b"March 15th, 2006\n")


class Formats(unittest.TestCase):
    def test_csv(self):
        status, out, err = run("-m", "mbi", "-d", "all", "-f", "csv", '5"1,23', "5123")
        self.assertTrue(out.startswith(b"code,maker,decade,result,text\r\n"))
        self.assertTrue(out.endswith(b'5123,Moser Baer India,2020,date,"May 3rd, 2025"\r\n'))
        rows = list(csv.reader(io.StringIO(out.decode(), newline="")))
        self.assertEqual(len(rows), 9)
        self.assertEqual(rows[1], ['5"1,23', "Moser Baer India", "1990", "error", NO_DATE_NOTE])
        self.assertEqual(rows[5], ["5123", "Moser Baer India", "1990", "date", "May 3rd, 1995"])
        self.assertEqual((status, err), (1, b""))

    def test_csv_header_comes_once_even_with_no_codes(self):
        self.assertEqual(run("-m", "cmc", "-f", "csv"), (0, b"code,maker,decade,result,text\r\n", b""))

    def test_json_lines(self):
        status, out, _ = run("-m", "mcc-dvd", "-d", "2020", "-f", "json", "mk1", "\u00e9\x01\"")
        first, second = (json.loads(line) for line in out.decode().splitlines())
        self.assertEqual(first, {"code": "mk1", "maker": "Mitsubishi Chemical Corporation [DVD\u00b1R]",
                                 "decade": 2020, "result": "date", "text": "2021"})
        self.assertEqual(list(first), ["code", "maker", "decade", "result", "text"])
        self.assertEqual(second["code"], "\u00e9\x01\"")
        self.assertEqual((second["result"], second["text"]), ("error", NO_DATE))
        self.assertEqual(status, 1)

    def test_json_replaces_invalid_utf8_in_the_echoed_code(self):
        _, out, _ = run("-m", "cmc", "-f", "json", stdin=b"KC\xc315\n")
        self.assertEqual(json.loads(out)["code"], "KC\ufffd15")


class Usage(unittest.TestCase):
    def test_usage_errors(self):
        rows = [
            ("no maker", ["KC15"], "no maker given"),
            ("unknown maker", ["-m", "verbatim", "KC15"], "unknown maker 'verbatim'"),
            ("maker name in another case", ["-m", "cmc magnetics", "KC15"], "unknown maker"),
            ("unknown decade", ["-m", "ritek", "-d", "1980", "RI50615"], "unknown decade '1980'"),
            ("unknown format", ["-m", "cmc", "-f", "xml", "KC15"], "unknown format 'xml'"),
            ("unknown option", ["-m", "cmc", "--colour", "KC15"], "unknown option '--colour'"),
            ("option without its value", ["-m"], "option '-m' needs a value"),
        ]
        for name, args, message in rows:
            with self.subTest(name):
                status, out, err = run(*args, stdin=b"KC15\n")
                self.assertEqual((status, out), (2, b""))
                self.assertIn(message, err.decode())
                self.assertIn("--help", err.decode())

    def test_unknown_maker_lists_the_valid_ones(self):
        _, _, err = run("-m", "x")
        self.assertIn(", ".join(IDS), err.decode())

    def test_list_makers(self):
        status, out, _ = run("--list-makers")
        rows = [line.split("\t") for line in out.decode().splitlines()]
        self.assertEqual([r[0] for r in rows], IDS)
        self.assertEqual(rows[4][1], "Mitsubishi Chemical Corporation [DVD\u00b1R]")
        self.assertEqual(rows[12][1], "TDK Corporation (Luxembourg)")
        self.assertEqual(status, 0)

    def test_every_listed_name_and_id_selects_its_maker(self):
        _, out, _ = run("--list-makers")
        for line in out.decode().splitlines():
            ident, name = line.split("\t")
            with self.subTest(ident):
                by_id = run("-m", ident, "-d", "2000", "-f", "json", "5123")
                by_name = run("-m", name, "-d", "2000", "-f", "json", "5123")
                self.assertEqual(by_id, by_name)
                self.assertEqual(json.loads(by_id[1])["maker"], name)

    def test_help_and_version(self):
        status, out, _ = run("--help")
        self.assertEqual(status, 0)
        self.assertTrue(out.startswith(b"Usage: varnock-cli [OPTIONS] [CODE...]\n"))
        self.assertEqual(run("--version"), (0, b"varnock-cli 2.0.0.0\n", b""))
        self.assertEqual(run("-h")[1], out)


if __name__ == "__main__":
    if len(sys.argv) > 1 and not sys.argv[1].startswith("-"):
        CLI = sys.argv.pop(1)
    unittest.main(verbosity=1)
