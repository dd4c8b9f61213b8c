"""A first look at the library from Python.

Rotates a ply's stress state into a laminate's axes, reads a tabulated property
by monotone cubic interpolation, inverts a compliance block, and shows how a
failure is reported through the error record instead of an exception.
"""
import numpy as np

import _vexlan as vx

m = vx.math

# Stress in the ply axes (MPa), turned by 30 degrees about the ply normal (z).
sigma_ply = np.array([[120.0, 15.0, 0.0], [15.0, 40.0, 0.0], [0.0, 0.0, 0.0]])
sigma_lam = m.tensorrotation2nd(sigma_ply, np.radians(30.0), [0.0, 0.0, 1.0])
print("stress in the turned system:\n", np.round(sigma_lam, 3))

# Transverse modulus against temperature, read between the table points.
temperature = np.array([-40.0, 0.0, 23.0, 80.0, 120.0])
e2 = np.array([10.2, 9.6, 9.1, 8.0, 6.1])  # GPa
at = np.array([50.0, 100.0])
print("E2 at", at, "degC:", m.cubichermitianinterpolation(temperature, e2, at), "(monotone cubic)")
print("                  ", m.linearinterpolation(temperature, e2, at), "(linear)")

# In-plane compliance of a ply and its inverse, the stiffness.
e1, e2_, nu12, g12 = 140e3, 9.1e3, 0.3, 4.8e3
s = np.array([[1 / e1, -nu12 / e1, 0.0], [-nu12 / e1, 1 / e2_, 0.0], [0.0, 0.0, 1 / g12]])
print("reduced stiffness Q (MPa):\n", np.round(m.matrixinverse(s), 1))

# Failures do not raise: the first one is kept in the error record.
vx.errorhandling.rsxerr(1)
m.matrixinverse(np.ones((2, 2)))
print("error record:", int(vx.errorhandling.errstat), vx.errorhandling.errstring[()].decode().strip())
vx.errorhandling.rsxerr(1)
