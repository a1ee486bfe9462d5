"""The Python module against the reference cases and korvane-calc itself."""
import csv
import glob
import io
import json
import math
import os
import re
import subprocess
import tempfile
import unittest

import numpy as np

import korvane

DATA = os.environ.get("KORVANE_TEST_DATA", os.path.join(os.path.dirname(__file__), "../../tests/data"))
CASES = os.path.join(DATA, "reference-cases")
CALC = os.environ.get("KORVANE_CALC", "korvane-calc")
EXAMPLES = os.environ.get("KORVANE_EXAMPLES", os.path.join(os.path.dirname(__file__), "../../examples"))
STANDARD = os.path.join(EXAMPLES, "Par", "Standardsilo.par")


def read_result_file(path):
    with open(path, newline="") as f:
        lines = f.read().split("\r\n")
    rows = [[float(v) for v in line.split(";")] for line in lines[1:] if line]
    return np.array(rows)


class ReferenceCases(unittest.TestCase):
    def test_every_case_equals_its_result_and_summary(self):
        cases = sorted(glob.glob(os.path.join(CASES, "case_*.par")))
        self.assertEqual(len(cases), 40)
        # One unit of the last printed digit of z, RHOB, SIGMAV, SIGMAW.
        unit = np.array([0.001, 0.1, 1, 1]) * 1.0000001
        for par in cases:
            with self.subTest(case=os.path.basename(par)):
                r = korvane.load(par).calculate()
                expected = read_result_file(par[:-4] + ".txt")
                got = np.column_stack([r.z, r.RHOB, r.SIGMAV, r.SIGMAW])
                self.assertEqual(got.shape, expected.shape)
                self.assertTrue((np.abs(got - expected) <= unit).all())
                with open(par[:-4] + ".json") as f:
                    summary = json.load(f)
                self.assertEqual(list(r.scalars), list(summary))
                for key, want in summary.items():
                    have = getattr(r, key)
                    if isinstance(want, (bool, int)) and not isinstance(want, float):
                        self.assertEqual(have, want, key)
                    else:
                        self.assertTrue(math.isclose(have, want, rel_tol=1e-9, abs_tol=1e-12),
                                        f"{key}: {have} vs {want}")


class Errors(unittest.TestCase):
    def test_refused_parameters_carry_the_code_and_the_form_text(self):
        files = sorted(glob.glob(os.path.join(CASES, "invalid", "code*.par")))
        self.assertEqual(len(files), 7)
        for par in files:
            code = int(os.path.basename(par)[4:6])
            with self.subTest(file=os.path.basename(par)):
                silo = korvane.load(par)
                with self.assertRaises(korvane.ParameterProblem) as caught:
                    silo.calculate()
                self.assertEqual(caught.exception.code, code)
                calc = subprocess.run([CALC, par], capture_output=True, text=True)
                self.assertEqual(calc.returncode, caught.exception.exit_status)
                self.assertEqual(calc.stderr.strip(), "korvane-calc: " + str(caught.exception))

    def test_unreadable_file_names_line_and_reason(self):
        with tempfile.TemporaryDirectory() as d:
            bad = os.path.join(d, "bad.par")
            with open(bad, "w") as f:
                f.write("1000\r\nx\r\n")
            missing = os.path.join(d, "missing.par")
            for path, line in ((bad, 2), (missing, 0)):
                with self.subTest(path=path):
                    with self.assertRaises(korvane.FileError) as caught:
                        korvane.load(path)
                    e = caught.exception
                    self.assertEqual(e.line, line)
                    self.assertTrue(e.reason)
                    calc = subprocess.run([CALC, path], capture_output=True, text=True)
                    self.assertEqual(calc.returncode, e.exit_status)
                    self.assertEqual(calc.stderr.strip(), "korvane-calc: " + str(e))

    def test_german_problem_text(self):
        silo = korvane.load(os.path.join(CASES, "invalid", "code13_k_value_zero.par"))
        with self.assertRaisesRegex(korvane.ParameterProblem, "K muss größer Null sein"):
            silo.calculate(lang="de")


class Study(unittest.TestCase):
    def test_study_equals_korvane_calc_vary(self):
        silo = korvane.load(STANDARD)
        fill = np.arange(2.0, 10.01, 0.5)
        phie = np.array([30.0, 35.0, 40.0])
        cols = korvane.study(silo, {"Fuellhoehe": fill, "PHIE": phie})
        calc = subprocess.run([CALC, "--vary", "Fuellhoehe=2:10:0.5", "--vary", "PHIE=30:40:5",
                               STANDARD], capture_output=True, text=True, check=True)
        rows = list(csv.DictReader(io.StringIO(calc.stdout)))
        self.assertEqual(list(cols), list(rows[0]))
        self.assertEqual(len(rows), len(fill) * len(phie))
        for i, row in enumerate(rows):
            for key, text in row.items():
                have = cols[key][i]
                if text == "":
                    self.assertTrue(math.isnan(have), key)
                else:
                    # The CSV prints 17 significant digits.
                    self.assertTrue(math.isclose(float(have), float(text), rel_tol=1e-15), key)

    def test_completion_offers_every_name(self):
        path = os.path.join(os.path.dirname(__file__), "..", "..", "packaging", "completion", "korvane-calc")
        with open(path) as f:
            text = f.read()
        names = re.search(r"local names='([^']*)'", text).group(1).split()
        self.assertEqual(names, korvane.vary_names())

    def test_unknown_name_is_refused(self):
        with self.assertRaises(ValueError):
            korvane.study(korvane.load(STANDARD), {"Gewicht": [1.0]})


class En1991_4(unittest.TestCase):
    def test_loads_equal_korvane_calc(self):
        for name in ("example2_slender_steep", "example3_rectangular_flat"):
            par = os.path.join(DATA, "en1991-4", name + ".par")
            with tempfile.TemporaryDirectory() as d:
                out = os.path.join(d, "loads.txt")
                calc = subprocess.run([CALC, "--en1991-4", "--json", par, out],
                                      capture_output=True, text=True, check=True)
                with open(out, newline="") as f:
                    lines = [l for l in f.read().split("\r\n") if l]
            summary = json.loads(calc.stdout)
            loads = korvane.load(par).en1991_4()
            self.assertTrue(loads.in_scope)
            for key in ("slenderness_class", "bottom", "AAC"):
                self.assertEqual(getattr(loads, key), summary[key], key)
            for key in ("gamma", "h_c", "d_c", "h_o", "z_o", "C_h", "C_w", "C_b", "p_vft"):
                self.assertTrue(math.isclose(getattr(loads, key), summary[key], rel_tol=1e-12), key)
            header = lines[0].split(";")
            self.assertEqual(len(lines) - 1, len(loads.z))
            for i, line in enumerate(lines[1:]):
                for text, column in zip(line.split(";"), header):
                    have = getattr(loads, column.split("[")[0])[i]
                    if text.strip() == "":
                        self.assertTrue(math.isnan(have), column)
                    else:
                        # The loads file rounds z to mm and loads to 1 Pa.
                        self.assertLessEqual(abs(have - float(text)), 0.51 if column != "z[m]" else 5e-4)

    def test_outside_scope_gives_reasons_and_no_rows(self):
        loads = korvane.load(os.path.join(EXAMPLES, "Par", "Silo_Auflast_Unterteil.par")).en1991_4()
        self.assertFalse(loads.in_scope)
        self.assertTrue(loads.scope)
        self.assertEqual(len(loads.z), 0)


class Silo(unittest.TestCase):
    def test_fields_in_file_units_and_changes_calculate(self):
        silo = korvane.load(STANDARD)
        self.assertIn("Fuellhoehe", korvane.vary_names())
        self.assertAlmostEqual(silo.PHIE, round(silo.PHIE, 6))  # degrees as in the file
        lower = silo.copy()
        lower.Fuellhoehe = silo.Fuellhoehe / 2
        self.assertLess(lower.calculate().Fuellmenge, silo.calculate().Fuellmenge)
        # The same change through a study gives the same mass.
        study = korvane.study(silo, {"Fuellhoehe": [lower.Fuellhoehe]})
        self.assertEqual(study["Fuellmenge"][0], lower.calculate().Fuellmenge)


if __name__ == "__main__":
    unittest.main()
