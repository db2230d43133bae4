#!/usr/bin/env python3
# varnock-cli driven as a user drives it: arguments, standard input, formats, exit status.
# What a decode gives is the decoder tests' business; these tests pin what the tool adds.
import csv
import datetime
import io
import json
import os
import pathlib
import pty
import resource
import socket
import subprocess
import sys
import tempfile
import threading
import unittest

CLI = os.environ.get("VARNOCK_CLI", "build/release/cli/varnock-cli")
WRAPPER = os.environ.get("VARNOCK_CLI_WRAPPER", "").split()  # wine, for the Windows build
NO_DEVICE = "error 433" if WRAPPER else "No such device or address"  # the system's words; Wine has none for it
NO_DATE = "No date string found in the provided input. Please check the serial code you entered."
NOTE = ("NOTE: If you're trying to decode an MBI serial with 3 digits, the disc is likely made "
        "in 2000 or 2010, therefore you should add a 0 to the beginning.")

def run(*args, stdin=b"", setup=None):  # (status, stdout, stderr), the outputs as bytes
    done = subprocess.run([*WRAPPER, CLI, *args], input=stdin, capture_output=True, timeout=120, preexec_fn=setup)
    return done.returncode, done.stdout, done.stderr

class Cli(unittest.TestCase):
    def test_codes(self):
        rows = [
            ("code as an argument", ["-m", "cmc", "kc 15"], b"", 0, "March 15th, 2006\n"),
            ("long options with =", ["--maker=ritek", "--decade=2000", "RI50615"], b"", 0, "June 15th, 2005\n"),
            ("full name in UTF-8", ["-m", "Mitsubishi Chemical Corporation [DVD\u00b1R]", "-d", "2020", "MK1"], b"", 0, "2021\n"),
            ("option after the codes", ["KC15", "KC45", "-m", "cmc"], b"", 1, f"March 15th, 2006\nerror: {NO_DATE}\n"),
            ("code after --", ["-m", "cmc", "--", "-KC15"], b"", 0, "March 15th, 2006\n"),
            ("lines named", ["-m", "cmc", "--input", "lines"], b"KC15\n", 0, "March 15th, 2006\n"),
            ("codes after one that fails", ["-m", "cmc", "KC45", "KC15"], b"", 1, f"error: {NO_DATE}\nMarch 15th, 2006\n"),
            ("a date that ends at the 127th character", ["-m", "cmc", "X" * 123 + "KC15"], b"", 0, "March 15th, 2006\n"),
            ("one that ends at the 128th, cut off", ["-m", "cmc", "X" * 124 + "KC15"], b"", 1, f"error: {NO_DATE}\n"),
            ("the decade as a word of its own", ["-m", "ritek", "--decade", "2000", "RI50615"], b"", 0, "June 15th, 2005\n"),
            ("the note on one line", ["-m", "mbi", "-d", "2000", "123"], b"", 1, f"error: {NO_DATE} {NOTE}\n"),
            ("all decades", ["-m", "ritek", "-d", "all", "50615"], b"", 0,
             "1990\tJune 15th, 1995\n2000\tJune 15th, 2005\n2010\tJune 15th, 2015\n"
             "2020\tJune 15th, 2025\n"),
            ("all decades, once for cmc", ["-m", "cmc", "-d", "all", "KC15"], b"", 0, "0\tMarch 15th, 2006\n"),
            ("one maker and one decade: the date even after today", ["-m", "ritek", "-d", "2020s",
             "--today", "2026-12-08", "RI90615"], b"", 0, "June 15th, 2029\n"),
            ("every maker, one decade", ["-m", "any", "-d", "2000", "0366"], b"", 0,
             "Eastman Kodak Company, Mitsui Toatsu Chemicals + MAM-E, Moser Baer India, Prodisc\t"
             "December 31st, 2000\nMitsubishi Chemical Corporation [CD-R], TDK Corporation (Luxembourg)"
             "\t2003\nMitsubishi Chemical Corporation [DVD\u00b1R], Taiyo Yuden\t2006\n"),
            ("no candidate", ["-m", "any", "-d", "all", "X"], b"", 1, f"0\t\terror: {NO_DATE}\n"),
            ("LF, an empty line first", ["-m", "cmc"], b"\nKC15\nZA00\n", 1, f"error: {NO_DATE}\nMarch 15th, 2006\nJanuary , 2021\n"),
            ("CR, CR LF, LF mixed", ["-m", "cmc"], b"KC15\r\rKC15\r\n\nKC15", 1,
             f"March 15th, 2006\nerror: {NO_DATE}\nMarch 15th, 2006\nerror: {NO_DATE}\n"
             "March 15th, 2006\n"),
            ("last line without an end", ["-m", "cmc"], b"KC15\nAB31", 0, "March 15th, 2006\nFebruary 31st, 1996\n"),
            ("one-character last line", ["-m", "cmc"], b"KC15\nX", 1, f"March 15th, 2006\nerror: {NO_DATE}\n"),
            ("invalid UTF-8 is an error of its line alone", ["-m", "cmc"], b"KC\xff15\nKC15\n", 1,
             "error: the code is not valid UTF-8\nMarch 15th, 2006\n"),
        ]
        for name, args, stdin, status, out in rows:
            self.assertEqual(run(*args, stdin=stdin), (status, out.encode(), b""), name)

    def test_candidates_after_today_are_left_out_and_counted(self):
        self.assertEqual(run("-m", "ritek", "-d", "all", "--today", "2026-12-08", "RI90615", "RI61208")[::2],
                         (0, b"varnock-cli: RI90615: 1 candidate dated after today left out\n"))  # the last, today: none
        self.assertEqual(run("-m", "any", "-d", "2020", "--today", "2026-12-08", "RI90615")[2],
                         b"varnock-cli: RI90615: 2 candidates dated after today left out\n")
        status, out, err = run("-m", "tdk", "-d", "all", "--today", "1994-12-31", "-f", "json", "T5X")
        self.assertEqual((status, json.loads(out)["text"], err), (1, "Every date this code gives is "
                         "after today's date, so none can be true.", b"varnock-cli: T5X: 4 candidates dated "
                         b"after today left out\n"))
        for today in ("2026-02-29", "2026-1-08", "26-12-08", "2026-12-08x"):
            self.assertEqual(run("-m", "cmc", "--today", today, "KC15")[2].split(b"\n")[0],
                             f"varnock-cli: invalid date '{today}'; give it as YYYY-MM-DD".encode())

    def test_a_catalogue_of_mixed_makers(self):
        catalogue = ("\xef\xbb\xbfShelf,Hub Code,Maker,Decade\r\n"
                     'A1,kc15,cmc,\r\n'
                     '"A2, left",RI50615,Ritek Corporation,2000s\r\n'
                     'A3,RI50615,ritek,\r\n'
                     '"A""4",5123,mbi,1985\r\n'
                     'A5,5123,verbatim,2000\r\n'
                     '"A6\r\nwrapped",TY8,,2000\r\n'
                     '\r\n'
                     'A7,X\xff,cmc,\r\n'
                     'A8,HY09J405110318B11,any,all\r\n').encode("latin-1")
        args = ["--input", "csv", "--maker-column", "maker", "--decade-column", "DECADE", "-m", "taiyo-yuden",
                "--today", "2026-12-08"]
        status, out, err = run(*args, stdin=catalogue)
        rows = list(csv.reader(io.StringIO(out.decode("latin-1"), newline="")))
        self.assertEqual((status, err), (1, b""))
        self.assertEqual(rows[:4], [
            ["Shelf", "Hub Code", "Maker", "Decade", "decade", "result", "text", "date"],
            ["A1", "kc15", "cmc", "", "0", "date", "March 15th, 2006", "2006-03-15"],
            ["A2, left", "RI50615", "Ritek Corporation", "2000s", "2000", "date", "June 15th, 2005", "2005-06-15"],
            ["A3", "RI50615", "ritek", "", "0", "error", "No decade selected. This manufacturer requires "
             "a decade estimate.", ""]])
        self.assertEqual([row[4:6] + row[6:7] for row in rows[4:7]], [
            ["", "error", "unknown decade '1985'"], ["", "error", "unknown maker 'verbatim'"],
            ["2000", "date", "2008"]])
        self.assertEqual((rows[6][0], rows[7][1], rows[7][6]), ("A6\r\nwrapped", "X\xff", "the code is not valid UTF-8"))
        self.assertEqual([row[7] for row in rows[8:]], ["1986-05-31", "1990", "1994-05-11", "2000", "2004-05-11",
                                                        "2010", "2014-05-11", "2020", "2024-05-11"])
        self.assertIn(b'"A6\r\nwrapped",TY8,,2000,', out)  # kept byte for byte
        self.assertIn(b"\r\nA7,X\xff,cmc,,0,error,", out)
        # Thousands of such rows, across many reads, give the same records in the same order.
        (header, body), (head, records) = catalogue.split(b"\r\n", 1), out.split(b"\r\n", 1)
        self.assertEqual(run(*args, stdin=header + b"\r\n" + body * 1000), (1, head + b"\r\n" + records * 1000, b""))
        self.assertEqual(run("--input", "csv", "-m", "any", "-d", "2000", stdin=b"code\r\nKC15\r\n")[1], b'code,maker,decade,result,text,date\r\nKC15,'
                         b'CMC Magnetics,2000,date,"March 15th, 2006",2006-03-15\r\nKC15,"Mitsubishi Chemical Corporation [DVD\xc2\xb1R], Taiyo Yuden",2000,date,2001,2001\r\n')
        # A malformed file ends the run after every record before it, with its line (empty lines counted).
        status, out, err = run("--input", "csv", "-m", "cmc", stdin=b"\ncode\nKC15\n\n\"KC\n15\nKC16\n")
        self.assertEqual((status, out, err), (1, b"code,decade,result,text,date\r\nKC15,0,date,"
                         b"\"March 15th, 2006\",2006-03-15\r\n", b"varnock-cli: standard input: line 5: "
                         b"a quoted field is never closed\n"))
        for stdin, err in ((b'code\n"KC"15\n', b"line 2: a quoted field goes on after its closing quote (a quote "
                            b"within one is doubled)"), (b"serial\nKC15\n", b'no column of codes: none is headed '
                            b'"hub code", "hub_code" or "code"; name it with --code-column')):
            self.assertEqual(run("--input", "csv", "-m", "cmc", stdin=stdin)[2], b"varnock-cli: standard input: " + err + b"\n")

    def test_catalogues_in_files_their_columns_and_status(self):
        with tempfile.TemporaryDirectory() as folder:
            def catalogue(name, text):
                (path := pathlib.Path(folder, name)).write_bytes(text.encode())
                return str(path)
            # Headings match whatever their case; a row short of a column has it empty; the
            # last line may have no end.
            a = catalogue("a.csv", "Hub_Code,ZONE\r\nKC15,cmc\r\nRI50615")
            b = catalogue("b.csv", "Hub_Code,ZONE\r\nRI60615,\r\n")
            other = catalogue("other.csv", "code\r\nKC15\r\n")
            (socket_file := socket.socket(socket.AF_UNIX)).bind(device := str(pathlib.Path(folder, "device"))), socket_file.close()
            head = "Hub_Code,ZONE,decade,result,text,date\r\n"
            a_rows = 'KC15,cmc,2000,date,"March 15th, 2006",2006-03-15\r\nRI50615,2000,date,"June 15th, 2005",2005-06-15\r\n'
            # Few files open at once: each is closed once read. Standard input closed: a file takes its number.
            limit = None if WRAPPER else lambda: resource.setrlimit(resource.RLIMIT_NOFILE, (8, 8))
            closed = None if WRAPPER else lambda: os.close(0)
            rows = [
                ([a, *[b] * 8], 0, head + a_rows + 'RI60615,,2000,date,"June 15th, 2006",2006-06-15\r\n' * 8, "", limit),
                ([a, other, b], 1, head + a_rows, f"{other}: its header row differs from the first file's\n", closed),
                ([device, a], 1, "", f"cannot open {device}: {NO_DEVICE}\n", None),  # a socket
            ]
            for files, status, out, err, setup in rows:
                done = run("--input", "csv", "--maker-column", "zone", "-m", "ritek", "-d", "2000", *files, stdin=None, setup=setup)
                self.assertEqual(done, (status, out.encode(), (f"varnock-cli: {err}" if err else "").encode()), files)
        rows = [
            (["--code-column", "[serial", "-m", "cmc"], 0, ""),
            (["--code-column", "{serial", "-m", "cmc"], 1, "no column headed '{serial'"),
            (["--maker-column", "brand", "-m", "cmc"], 1, "no column headed 'brand'"),
        ]
        for args, status, err in rows:
            done = run("--input", "csv", *args, stdin=b"[Serial,hub_code\r\nKC15,KC15\r\n")
            self.assertEqual((done[0], bool(done[1]), done[2]),
                             (status, not err, (f"varnock-cli: standard input: {err}\n" if err else "").encode()), args)
        self.assertEqual(run("--input", "csv", "--maker-column", "maker", stdin=b"hub_code,maker\r\nKC15,\r\n"),
                         (1, b"hub_code,maker,decade,result,text,date\r\n"
                             b"KC15,,,error,\"no maker: the row names none, and -m gives none\",\r\n", b""))
        # Quotes doubled and line ends within quotes (CR, CR LF, LF), in the columns read; lines counted past them.
        self.assertEqual(run("--input", "csv", "--maker-column", "maker", stdin=b'code,maker\r\nKC15,"a""\r\r\n\nb"\r\nKC15,"cmc"\n"K\n'),
                         (1, b'code,maker,decade,result,text,date\r\nKC15,"a""\r\r\n\nb",,error,"unknown maker \'a""\r\r\n\nb\'",\r\n'
                          b'KC15,cmc,0,date,"March 15th, 2006",2006-03-15\r\n', b"varnock-cli: standard input: line 7: a quoted field is never closed\n"))
        # Records go out before the message of the fault that ends the run.
        merged = run("--input", "csv", "-m", "cmc", stdin=b'code\nKC15\n"\n', setup=lambda: os.dup2(1, 2))[1]
        self.assertTrue(merged.startswith(b"code,decade,result,text,date\r\nKC15,0,date,"), merged)

    def test_todays_date_comes_from_the_clock(self):
        for day, candidates in ((datetime.date.today(), 4),  # today can be true, tomorrow cannot
                                (datetime.date.today() + datetime.timedelta(days=1), 3)):
            self.assertEqual(run("-m", "ritek", "-d", "all", f"RI{day.year % 10}{day:%m%d}")[1].count(b"\n"), candidates, day)

    def test_input_that_trickles_in_or_cannot_be_read(self):
        # Each line is answered before the next is sent, whatever ends it; None: no answer
        # is due yet, so none is waited for.
        no_date, may, feb = f"error: {NO_DATE} {NOTE}\n", "May 3rd, 2005\n", "February 29th, 2004\n"
        steps = [
            (b"\xef", None), (b"\xbb", None),  # a byte-order mark split across reads
            (b"\xbf5123\n", may),             # LF, the mark skipped
            (b"5123\r\n", may),                # CR LF, in one read
            (b"4060\r", feb),                   # a lone CR, or a CR whose LF comes next
            (b"\n5123\r", may),                # that LF, then a CR ending a read again
            (b"\n", None), (b"4060\n", feb),   # its LF alone, then a line in a read of its own
            (b"\xef\xbb\xbf4060\n", no_date),    # a mark after the start is a character
        ]
        catalogue = [(b"code\r", "code,decade,result,text,date\r\n"),  # each CR ends a read, its LF the next
                     (b"\n5123\r", '5123,2000,date,"May 3rd, 2005",2005-05-03\r\n'), (b"\n\"", None)]
        for args, steps, status, said in ((["-m", "mbi", "-d", "2000"], steps, 1, b""), (["--input", "csv", "-m", "mbi", "-d",
                                          "2000"], catalogue, 1, b"standard input: line 3: a quoted field is never closed")):
            process = subprocess.Popen([*WRAPPER, CLI, *args], stdin=subprocess.PIPE,
                                       stdout=subprocess.PIPE, stderr=subprocess.PIPE)
            (stuck := threading.Timer(20, process.kill)).start()  # a record held back: the reads find nothing
            for piece, record in steps:
                process.stdin.write(piece)
                process.stdin.flush()
                if record is not None:
                    self.assertEqual(process.stdout.readline(), record.encode(), piece)
            out, err = process.communicate()
            stuck.cancel()
            self.assertEqual((process.returncode, out, err), (status, b"", b"varnock-cli: " + said + b"\n" if said else b""))
        # A folder, and a read that fails after a CR with no more to come for now: said once, in
        # the system's words. Wine waits.
        os.write((pipe := os.pipe())[1], b"code\r"), os.set_blocking(pipe[0], False)
        for args, opened, record, why in ((["-m", "cmc"], lambda: os.open("/", os.O_RDONLY), b"", "Invalid function" if WRAPPER else "Is a directory"),
                                          (["--input", "csv", "-m", "cmc"], lambda: pipe[0], b"code,decade,result,text,date\r\n", "Resource temporarily unavailable")):
            if not (WRAPPER and record):
                status, out, err = run(*args, stdin=None, setup=lambda: os.dup2(opened(), 0))
                self.assertEqual((status, out, err), (1, record, f"varnock-cli: cannot read standard input: {why}\n".encode()))

    def test_typed_at_a_terminal(self):  # on Windows, a console: read and written in UTF-16
        leader, follower = pty.openpty()  # Enter as CR, also before Wine takes it; short lines unwrapped
        subprocess.run(["stty", "raw", "-echo", "cols", "500"], stdin=follower, check=True)
        process = subprocess.Popen([*WRAPPER, CLI, "-m", "cmc", "-f", "json"], stdin=follower, stdout=follower,
                                   stderr=follower, env={**os.environ, "LC_ALL": "C.UTF-8"})
        os.close(follower)
        # Each line is answered as it is typed; the last is longer than one console read takes.
        threading.Thread(target=os.write, args=(leader, ("\u00e9\rkc15\r" + "k" * 300_000 + "\r").encode()), daemon=True).start()
        (stuck := threading.Timer(20, process.kill)).start()
        seen = b""
        while seen.count(b"}") < 3:
            seen += os.read(leader, 4096)
        os.write(leader, b"\x1a\r") if WRAPPER else os.close(leader)  # the typing ends: in a console, Ctrl+Z Enter
        self.assertEqual(process.wait(), 1)  # "\u00e9" gave no date
        stuck.cancel(), WRAPPER and os.close(leader)
        for record in ('{"code": "\u00e9", "maker"', '{"code": "kc15", "maker": "CMC Magnetics", "decade": 0, "result": "date"',
                       '{"code": "' + "k" * 300_000 + '", "maker"'):
            self.assertIn(record.encode(), seen.replace(b"\r\n", b""))  # as a console wraps it
        leader, follower = pty.openpty()  # a record too long for one write to a console comes whole
        process = subprocess.Popen([*WRAPPER, CLI, "-m", "cmc", "-f", "json"], stdin=subprocess.PIPE, stdout=follower)
        os.close(follower), process.stdin.write(("KC15" + "\u00e9" * ((1 << 20) + 100)).encode()), process.stdin.close()
        seen = b""
        while b'"2006-03-15"}' not in seen[-99:]:
            seen += os.read(leader, 1 << 16)
        self.assertEqual((process.wait(), seen.count("\u00e9".encode())), (0, (1 << 20) + 100)), os.close(leader)

    def test_csv_quoted_where_needed(self):
        status, out, err = run("-m", "mbi", "-d", "all", "-f", "csv", "5123", "123")
        self.assertEqual((status, err), (1, b""))
        self.assertTrue(out.startswith(b"code,maker,decade,result,text,date\r\n"
                                       b"5123,Moser Baer India,1990,date,\"May 3rd, 1995\",1995-05-03\r\n"))
        rows = list(csv.reader(io.StringIO(out.decode(), newline="")))
        self.assertEqual((len(rows), rows[5]), (6, ["123", "Moser Baer India", "0", "error", f"{NO_DATE}\n\n{NOTE}", ""]))
        self.assertEqual(run("-m", "cmc", "-f", "csv"), (0, b"code,maker,decade,result,text,date\r\n", b""))
        rows = [("plain", False), ("\u00e9", False), ("a,b", True), ('a"b', True), ("a\rb", True),
                ("a\nb", True), ("a\x00b", True), ("a\tb", True), ("a\x1fb", True), ("a\x7fb", True)]
        for code, quoted in rows:
            with self.subTest(repr(code)):
                args, stdin = ([], code.encode()) if "\x00" in code else ([code], b"")
                record = run("-m", "cmc", "-f", "csv", *args, stdin=stdin)[1].decode().split("\r\n", 1)[1]
                self.assertEqual(next(csv.reader(io.StringIO(record, newline="")))[0], code)
                self.assertEqual(record.startswith('"'), quoted)

    def test_json_lines_and_echoes_in_valid_utf8(self):
        status, out, _ = run("-m", "mcc-dvd", "-d", "2020", "--format=json", "mk1", "\u00e9\x01")
        maker = '"maker": "Mitsubishi Chemical Corporation [DVD\u00b1R]", "decade": 2020'
        self.assertEqual((status, out.decode()), (1,
            f'{{"code": "mk1", {maker}, "result": "date", "text": "2021", "date": "2021"}}\n'
            f'{{"code": "\u00e9\\u0001", {maker}, "result": "error", "text": "{NO_DATE}", "date": null}}\n'))
        controls = "".join(chr(i) for i in range(1, 32))  # each escaped, as quote and backslash
        _, out, _ = run("-m", "cmc", "-f", "json", "\"\\" + controls + " \x7f")
        self.assertIn(b'"code": "\\"\\\\\\u0001\\u0002\\u0003\\u0004\\u0005\\u0006\\u0007\\u0008\\u0009\\u000a'
                      b'\\u000b\\u000c\\u000d\\u000e\\u000f\\u0010\\u0011\\u0012\\u0013\\u0014\\u0015\\u0016'
                      b'\\u0017\\u0018\\u0019\\u001a\\u001b\\u001c\\u001d\\u001e\\u001f \x7f"', out)
        # Every length up to 40, a different letter at each place: short pieces are copied
        # in overlapping moves, so a byte left out or moved would show.
        codes = ["".join(chr(ord("a") + (n + k) % 26) for k in range(n)) for n in range(1, 41)]
        _, out, _ = run("-m", "cmc", "-f", "json", stdin="\n".join(codes).encode())
        self.assertEqual([json.loads(line)["code"] for line in out.splitlines()], codes)
        self.assertEqual(run("-m", "cmc", "-f", "csv", stdin=b"K" * ((1 << 21) + 1))[1], b"code,maker,decade,result,text,date\r\n" + b"K" * ((1 << 21) + 1) + f",CMC Magnetics,0,error,{NO_DATE},\r\n".encode())  # past two output blocks: a short last write
        long_code = "KC15" + "x" * 200_000  # echoed whole, among many records
        _, out, _ = run("-m", "cmc", "-f", "json", stdin=(long_code + "\n" + "KC15\n" * 20_000).encode())
        records = [json.loads(line) for line in out.splitlines()]
        self.assertEqual((len(records), records[0]["code"], records[0]["text"], records[-1]["code"]),
                         (20_001, long_code, "March 15th, 2006", "KC15"))
        self.assertTrue(run("-m", "cmc", "-f", "json", stdin=b"\x00")[1].startswith(b'{"code": "\\u0000", '))
        _, out, _ = run("-m", "cmc", "-f", "json", stdin=b"K\xc3C\xe2\x82\n\x80\n\n")
        self.assertEqual([json.loads(line)["code"] for line in out.splitlines()],
                         ["K\ufffdC\ufffd\ufffd", "\ufffd", ""])
        self.assertEqual(run("-m", "cmc", "-f", "csv", stdin=b"K\xff,\n")[1].decode().split("\r\n")[1],
                         '"K\ufffd,",CMC Magnetics,0,error,the code is not valid UTF-8,')

    def test_usage_errors_name_what_was_wrong(self):
        makers = "valid makers: cmc, daxon, kodak, mcc-cdr, mcc-dvd, mitsui, mjc, mbi, optodisc, prodisc, ritek, taiyo-yuden, tdk"
        rows = [
            (["KC15"], f"no maker given (-m); {makers} or any\n"),
            (["-m", "cmc magnetics"], f"unknown maker 'cmc magnetics'; {makers}, any, or a name that --list-makers prints\n"),
            (["--input", "csv"], f"no maker given (-m); {makers} or any, or a column of makers (--maker-column)\n"),
            (["-m", "cmc", "--code-column", "code"], "columns are named only for a catalogue (--input csv)"),
            (["-m", "cmc", "--input", "xml"], "unknown input 'xml'; valid inputs: lines or csv"),
            (["-m", "ritek", "-d", "1980"], "unknown decade '1980'; valid decades: 1990, 2000, 2010, 2020, all"),
            (["-m", "ritek", "-d", "20000"], "unknown decade '20000'; valid decades: 1990, 2000, 2010, 2020, all"),
            (["-m", "cmc", "-f", "xml"], "unknown format 'xml'; valid formats: text, csv or json"),
            (["-zm", "cmc", "KC15"], "invalid option -- 'z'"),
            (["-m", "cmc", "-qz"], "invalid option -- 'q'"),
            (["-m", "cmc", "-KC15"], "invalid option -- 'K'"),
            (["-m", "cmc", "--colour"], "unrecognized option '--colour'"),
            (["-m"], "option requires an argument -- 'm'"),
            (["--maker"], "option '--maker' requires an argument"),
        ]
        for args, message in rows:
            status, out, err = run(*args, stdin=b"KC15\n")
            self.assertEqual((status, out), (2, b""), args)
            self.assertTrue(err.decode().startswith("varnock-cli: " + message), err)
            self.assertTrue(err.endswith(b"\nTry 'varnock-cli --help' for more information.\n"), err)

    def test_help_version_and_makers(self):
        status, out, _ = run("--help")
        self.assertEqual((status, out.split(b"\n")[0]), (0, b"Usage: varnock-cli [OPTIONS] [CODE...]"))
        for line in ("CRLF or CR). A CODE that starts with '-' goes after '--'.",
                     "                        1990, 2000, 2010 or 2020, or \"all\" for every decade;",
                     "                        left out: none, which is enough for cmc and daxon",
                     "  -f, --format FORMAT   text (the default), csv (RFC 4180, with a header row),",
                     "                        or json (JSON Lines, a record an object)",
                     "fields code, maker, decade, result, text and date."):
            self.assertIn("\n" + line + "\n", out.decode())
        self.assertEqual(run("-h"), (0, out, b""))
        self.assertEqual(run("--version"), (0, b"varnock-cli 2.0.0.0\n"
                                            b"Copyright (c) 2024-2026 The Varnock project\n"
                                            b"License MIT: <https://opensource.org/license/mit>.\n"
                                            b"This is free software: you are free to change and "
                                            b"redistribute it.\nThere is NO WARRANTY, to the "
                                            b"extent permitted by law.\n", b""))
        status, out, _ = run("--list-makers")
        lines = out.decode().splitlines()
        self.assertEqual((status, len(lines), lines[4]), (0, 13, "mcc-dvd\tMitsubishi Chemical Corporation [DVD\u00b1R]"))

    @unittest.skipIf(WRAPPER or os.environ.get("VARNOCK_CLI_SANITIZED"), "limits the plain build")
    def test_running_out_of_memory_is_reported(self):
        limit = lambda: resource.setrlimit(resource.RLIMIT_AS, (64 << 20, 64 << 20))
        done = run("-m", "cmc", "-f", "csv", stdin=b"K" * (100 << 20), setup=limit)
        self.assertEqual((done[0], done[2]), (1, b"varnock-cli: out of memory\n"))

    def test_a_full_disk_is_reported_and_a_closed_pipe_ends_quietly(self):
        full = lambda: os.dup2(os.open("/dev/full", os.O_WRONLY), 1)
        for args in (["--help"], ["--version"], ["--list-makers"], ["-m", "cmc", "KC15"], ["-m", "cmc"]):
            with self.subTest(args):
                status, _, err = run(*args, stdin=b"KC15\n" * 20_000, setup=full)
                self.assertEqual(status, 1)  # said once
                self.assertRegex(err, rb"^varnock-cli: cannot write: [^\n]+\n$")
        unread = lambda: ((pipe := os.pipe()), os.dup2(pipe[1], 1), os.close(pipe[0]))  # every write fails
        for args, stdin in ((["--help"], b""), (["-m", "cmc"], b"KC15\n" * 100_000)):
            self.assertEqual(run(*args, stdin=stdin, setup=unread)[::2], (1, b""), args)  # not a signal
        # Input that never ends still ends the run once nobody reads the output.
        for args, first in (("-m cmc", b"March 15th, 2006\n"),
                            ("--input csv --code-column kc15 -m cmc", b"KC15,decade,result,text,date\r\n")):
            head = f"yes KC15 | {' '.join([*WRAPPER, CLI])} {args} | head -n 1"
            self.assertEqual(subprocess.run(head, shell=True, capture_output=True, timeout=60).stdout, first)

if __name__ == "__main__":
    if len(sys.argv) > 1 and not sys.argv[1].startswith("-"):
        CLI = sys.argv.pop(1)
    unittest.main(verbosity=1)
