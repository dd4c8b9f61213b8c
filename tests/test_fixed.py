"""Fixed-size column-major matrices of the per-point kernels, against numpy."""
import os
import shutil
import subprocess

import numpy as np
import pytest

HERE = os.path.dirname(os.path.abspath(__file__))


@pytest.mark.skipif(shutil.which("c++") is None, reason="no C++ compiler")
def test_fixed_matrices_against_numpy(tmp_path):
    exe = tmp_path / "fixed_test"
    subprocess.run(["c++", "-std=c++20", "-O2", "-Wall", "-Wextra", "-Werror", "-ffp-contract=off",
                    "-I", os.path.join(HERE, "..", "src", "core"), "-I", os.path.join(HERE, "..", "include"),
                    os.path.join(HERE, "c", "fixed_test.cpp"), "-o", str(exe)], check=True)
    rng = np.random.default_rng(5)
    a, b, x = rng.standard_normal((6, 3)), rng.standard_normal((3, 6)), rng.standard_normal(3)
    text = " ".join(repr(float(v)) for v in np.concatenate([a.ravel("F"), b.ravel("F"), x]))
    out = subprocess.run([str(exe)], input=text.encode(), capture_output=True, check=True, timeout=30)
    got = {}
    for line in out.stdout.decode().splitlines():
        label, *vals = line.split()
        got[label] = np.array([float(v) for v in vals])
    col = lambda m: np.asarray(m).ravel("F")
    np.testing.assert_allclose(got["product"], col(a @ b), rtol=1e-14, atol=1e-14)
    np.testing.assert_array_equal(got["transpose"], col(a.T))
    np.testing.assert_allclose(got["matvec"], a @ x, rtol=1e-14, atol=1e-14)
    np.testing.assert_array_equal(got["combination"], col(2.0 * a - a))
    np.testing.assert_array_equal(got["identity"], col(np.eye(3)))
    # the view writes into the caller's storage at element (3, 2) of a 3 x 3 array
    expect = b.ravel("F")[:9].reshape(3, 3, order="F").copy()
    expect[2, 1] = -1.0
    np.testing.assert_array_equal(got["view"], col(expect))
