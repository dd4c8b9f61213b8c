"""The system LAPACK called directly (dgetrf, then dgetri in every case): the
inverse as the library has always computed it, with the same two failure
codes. Independent of the library's own kernels."""
import ctypes
import ctypes.util

import numpy as np

_lapack = ctypes.CDLL(ctypes.util.find_library("lapack"))


def _ptr(x):
    return x.ctypes.data_as(ctypes.c_void_p)


def getrf(a):
    """(packed LU factors, 1-based pivots, info) of a square matrix."""
    w = np.array(a, dtype=float, order="F")
    n = ctypes.c_int32(len(w))
    ipiv = np.zeros(len(w), np.int32)
    info = ctypes.c_int32(0)
    _lapack.dgetrf_(ctypes.byref(n), ctypes.byref(n), _ptr(w), ctypes.byref(n), _ptr(ipiv), ctypes.byref(info))
    return w, ipiv, info.value


def getrf_getri(a):
    """(result, info of the factorisation, info of the inversion)."""
    w, ipiv, info_f = getrf(a)
    n = ctypes.c_int32(len(w))
    work = np.zeros(len(w))
    info = ctypes.c_int32(0)
    _lapack.dgetri_(ctypes.byref(n), _ptr(w), ctypes.byref(n), _ptr(ipiv), _ptr(work), ctypes.byref(n),
                    ctypes.byref(info))
    return w, info_f, info.value


def inverse(a):
    """What the inverse hands its caller: the inverse, or the packed LU factors
    of a matrix found singular."""
    return getrf_getri(a)[0]
