#!/usr/bin/env python3
"""Runs the tests of one GoogleTest program in as few processes as it can:
under Wine a process takes seconds to start (more where 32-bit code is
emulated), so all its tests run in one. A test that ends the process (a
crash), or that gives no word for --timeout seconds, fails by name, and a new
process runs the tests not yet run.

The program's output passes through; each test that failed is named at the
end, then a closing line `NAME: N passed, N failed, N skipped`, which
--counts FILE also writes as `N N N` (for scripts/test's total). Exits 1 when
any test failed.

Usage: suite_runner.py [--timeout S] [--counts FILE] -- COMMAND... PROGRAM.exe"""
import argparse
import os
import queue
import re
import signal
import subprocess
import sys
import threading
import time

RUN = re.compile(r"^\[ RUN +\] (\S+)")
RESULT = re.compile(r"^\[ +(OK|FAILED|SKIPPED) +\] (\S+)")


def lines_of(process, timeout):
    """The lines `process` writes, as they come; None, once it has been killed
    for saying nothing for `timeout` seconds. Ends when the process has ended,
    though Wine's background programs may hold its output open after it."""
    lines = queue.Queue()
    threading.Thread(target=lambda: [lines.put(line) for line in process.stdout] + [lines.put("")],
                     daemon=True).start()
    last_word = time.monotonic()
    while True:
        try:
            line = lines.get(timeout=0.5)
        except queue.Empty:
            if process.poll() is not None:
                return
            if time.monotonic() - last_word > timeout:
                os.killpg(process.pid, signal.SIGKILL)
                yield None
                return
            continue
        if not line:
            return
        last_word = time.monotonic()
        yield line.rstrip("\r\n")


def run_once(command, done, timeout, results):
    """Runs the tests not in `done` in one process, noting each result in
    `results` (test name: OK, FAILED or SKIPPED); returns its exit code."""
    process = subprocess.Popen(command + ["--gtest_filter=-" + ":".join(done)], stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, text=True, errors="replace", start_new_session=True)
    running = None
    for line in lines_of(process, timeout):
        if line is None:
            print(f"[ TIMEOUT  ] {running or 'between tests'}: no word for {timeout} s")
            break
        print(line, flush=True)
        if m := RUN.match(line):
            running = m.group(1)
        elif (m := RESULT.match(line)) and m.group(2) == running:
            results[running], running = m.group(1), None
    code = process.wait()
    if running:
        print(f"[ ENDED    ] {running}: the program ended with code {code}")
        results[running] = "FAILED"
    return code


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--timeout", type=int, default=300)
    parser.add_argument("--counts")
    parser.add_argument("command", nargs="+")
    args = parser.parse_args()
    name = os.path.splitext(os.path.basename(args.command[-1]))[0]
    started = time.monotonic()
    results, ended_badly = {}, []
    while True:
        before = len(results)
        code = run_once(args.command, list(results), args.timeout, results)
        if code == 0 or "FAILED" in list(results.values())[before:] and code == 1:
            break  # every test ran: GoogleTest ends with 1 when one failed
        ended_badly.append(code)
        if len(results) == before:
            break  # no test ran at all: another process would do no better
    failed = [test for test, result in results.items() if result == "FAILED"]
    skipped = sum(result == "SKIPPED" for result in results.values())
    passed = len(results) - len(failed) - skipped
    for test in failed:
        print(f"failed: {test}")
    if ended_badly and not failed:
        print(f"failed: the program ended with code {ended_badly[-1]} outside every test")
    failures = len(failed) or int(bool(ended_badly))
    print(f"{name}: {passed} passed, {failures} failed, {skipped} skipped ({time.monotonic() - started:.0f} s)")
    if args.counts:
        os.makedirs(os.path.dirname(os.path.abspath(args.counts)), exist_ok=True)
        with open(args.counts, "w") as counts:
            counts.write(f"{passed} {failures} {skipped}\n")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
