"""The harness's one retry: a helper or a Velnor.scr run that Wine lost (failure code, no output,
and no Wine error or Wine's failure to make the process) runs once more with a FLAKY line; every
other failure reaches the test unchanged. Runs without Wine: the runs are scripted."""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import wine_harness  # noqa: E402

LOST = (1, [], "")


class ScriptedSession(wine_harness.Session):
    """A Session whose helper and program runs return prepared results in order."""

    def __init__(self, folder, results):
        args = wine_harness.parse_args(["--program", os.path.join(folder, "Velnor.scr"),
                                        "--prefix", os.path.join(folder, "prefix"),
                                        "--flaky-log", os.path.join(folder, "flaky.log")])
        super().__init__(args, name="scripted")
        self.program = args.program
        self.results = list(results)
        self.runs = 0

    def _run_helper_once(self, name, arguments, timeout):
        self.runs += 1
        return self.results.pop(0)

    def _run_program_once(self, arguments, timeout, program, while_running):
        self.runs += 1
        return self.results.pop(0)


def flaky_lines(folder):
    log_path = os.path.join(folder, "flaky.log")
    if not os.path.exists(log_path):
        return []
    with open(log_path, encoding="utf-8") as log:
        return log.read().splitlines()


class HelperRetry(unittest.TestCase):
    def run_scripted(self, *results):
        with tempfile.TemporaryDirectory() as folder:
            session = ScriptedSession(folder, results)
            outcome = session.run_helper("velnor_dialog_driver.exe", "read")
            return outcome, session.runs, flaky_lines(folder)

    def test_a_lost_helper_runs_once_more_and_is_reported(self):
        outcome, runs, flaky = self.run_scripted(LOST, (0, ["found"], ""))
        self.assertEqual((outcome, runs), ((0, ["found"], ""), 2))
        self.assertEqual(len(flaky), 1)
        self.assertRegex(flaky[0], r"^FLAKY: \S*test_a_lost_helper\S* velnor_dialog_driver\.exe "
                                   r"read: ended with exit code 1, no output and no Wine error")

    def test_a_helper_wine_could_not_start_runs_once_more_and_is_reported(self):
        start_failure = (1, [], "err:virtual:virtual_alloc_first_teb wine: failed to map the "
                                "shared user data: c0000018\n")
        outcome, runs, flaky = self.run_scripted(start_failure, (0, ["found"], ""))
        self.assertEqual((outcome, runs), ((0, ["found"], ""), 2))
        self.assertEqual(len(flaky), 1)
        self.assertRegex(flaky[0], r"velnor_dialog_driver\.exe read: ended with exit code 1, "
                                   r"no output and Wine: failed to map the shared user data")
        # Twice in a row, it reaches the test.
        self.assertEqual(self.run_scripted(start_failure, start_failure)[:2], (start_failure, 2))

    def test_a_second_loss_reaches_the_test(self):
        outcome, runs, flaky = self.run_scripted(LOST, LOST)
        self.assertEqual((outcome, runs, len(flaky)), (LOST, 2, 1))

    def test_other_failures_and_successes_run_once(self):
        for result in [(2, ["no dialog"], ""),                       # the helper said why
                       (3, [], "0024:err:module:import_dll failed"),  # Wine said why
                       (0, [], "")]:                                  # silent success
            with self.subTest(result=result):
                self.assertEqual(self.run_scripted(result), (result, 1, []))


class ProgramRetry(unittest.TestCase):
    """Velnor.scr ends with 0 on each of its own paths, so only its exit code and Wine's log
    tell a loss."""

    def run_scripted(self, *results):
        with tempfile.TemporaryDirectory() as folder:
            session = ScriptedSession(folder, results)
            code = session.run_program("/c", timeout=15)
            return code, session.runs, flaky_lines(folder)

    def test_a_run_wine_lost_runs_once_more_and_is_reported(self):
        start_failure = (1, "err:virtual:virtual_alloc_first_teb wine: failed to map the "
                            "shared user data: c0000018\n")
        for lost in [(1, ""), start_failure]:
            with self.subTest(lost=lost):
                code, runs, flaky = self.run_scripted(lost, (0, ""))
                self.assertEqual((code, runs, len(flaky)), (0, 2, 1))
                self.assertRegex(flaky[0], r"^FLAKY: \S*test_a_run_wine_lost\S* Velnor\.scr /c: "
                                           r"ended with exit code 1 and ")
        self.assertEqual(self.run_scripted(start_failure, start_failure)[:2], (1, 2))

    def test_crashes_hangs_and_successes_run_once(self):
        crash = (5, "0024:err:seh:NtRaiseException Unhandled exception code c0000005\n")
        for result, code in [(crash, 5), ((None, ""), None), ((0, ""), 0)]:
            with self.subTest(result=result):
                self.assertEqual(self.run_scripted(result), (code, 1, []))


if __name__ == "__main__":
    unittest.main()
