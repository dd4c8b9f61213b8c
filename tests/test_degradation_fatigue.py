"""Gradual fatigue degradation: life, residual curves, cycle jumps, monotone factors."""
import math

import numpy as np
import pytest

L4 = math.log10(4.0)
HUGE = np.finfo(float).max


def state(**kw):
    s = dict(speak_t=0.5, sbottom_t=0.05, speak_c=-0.1, sbottom_c=-0.05, xctratio=0.8, a=1.0, b=-0.1,
             u=1.0, v=1.0, nm=0.0, n=1000.0, cjimp=1000.0, alpha_t=2.0, alpha_c=2.0, beta_t=1.5, beta_c=1.5,
             gamma=3.0, **{"lambda": 1.2}, de=1.0, df_t=1.0, df_c=1.0, degr_fac=0.01, dmgflag=1, isshear=0,
             noel=-5, cjump_nf=0.0, lim=0.05)
    s.update(kw)
    return s


INOUT = ("speak_t", "sbottom_t", "speak_c", "sbottom_c", "nm", "de", "df_t", "df_c", "cjump_nf")
ORDER = ("speak_t sbottom_t speak_c sbottom_c xctratio a b u v nm n cjimp alpha_t alpha_c beta_t beta_c gamma "
         "lambda de df_t df_c degr_fac dmgflag isshear noel cjump_nf lim").split()


def run(vx, s):
    args = {k: (np.array(float(v)) if k in INOUT else v) for k, v in s.items()}
    vx.degradation.gradualdegradation(*[args[k] for k in ORDER])
    return {k: float(args[k]) if k in INOUT else args[k] for k in ORDER}


def life(s):
    smax, smin = max(s["speak_t"], s["sbottom_t"]), min(s["speak_t"], s["sbottom_t"])
    amp, q = (smax - smin) / 2, (smax + smin) / 2
    f = amp / ((1 - q) ** s["u"] * (abs(s["xctratio"]) + q) ** s["v"])
    return 10 ** (math.log10(f / s["a"]) / s["b"])


def curve(x, nf, floor, p, e):
    r = (math.log10(x) + L4) / (math.log10(nf) + L4)
    return (1 - floor) * (1 - r**p) ** (1 / e) + floor


def test_damage_accumulation_follows_the_residual_curves(vx):
    s = state()
    nf = life(s)
    out = run(vx, s)
    assert out["nm"] == pytest.approx(1000 / nf, rel=1e-12)
    x = 1000.0
    assert out["df_t"] == pytest.approx(curve(x, nf, 0.5, 1.5, 2.0), rel=1e-12)
    assert out["df_c"] == out["df_t"]  # tension couples into compression unless shear
    assert out["de"] == pytest.approx(curve(x, nf, 0.5, 1.2, 3.0), rel=1e-12)
    # repeated jumps: damage accumulates, factors never rise
    prev = out
    for _ in range(30):
        s.update({k: prev[k] for k in INOUT})
        cur = run(vx, s)
        assert cur["nm"] >= prev["nm"]
        for k in ("de", "df_t", "df_c"):
            assert cur[k] <= prev[k]
        prev = cur
    # shear: compression strength stays
    out = run(vx, state(isshear=1))
    assert out["df_c"] == 1.0 and out["df_t"] < 1.0


def test_end_of_life_and_one_cycle_failure(vx):
    s = state(nm=0.999, cjimp=1e7)
    out = run(vx, s)
    assert (out["df_t"], out["df_c"], out["de"]) == (0.01, 0.01, 0.01)
    # a factor already below degr_fac is not raised again
    out = run(vx, state(nm=0.999, cjimp=1e7, de=0.001))
    assert out["de"] == 0.001
    # compression-dominated (kappa > 1) end of life of a shear component
    out = run(vx, state(speak_t=-0.6, sbottom_t=-0.3, speak_c=-0.6, sbottom_c=-0.3, nm=0.999,
                        cjimp=1e9, isshear=1))
    assert (out["df_c"], out["de"], out["df_t"]) == (0.01, 0.01, 1.0)
    # a mean stress at the strength: one cycle to failure, no NaN
    out = run(vx, state(speak_t=1.2, sbottom_t=1.0, cjimp=1.0))
    assert out["df_t"] == 0.01 and out["de"] == 0.01 and out["nm"] == 1.0


def test_zero_stress_is_written_back_and_bad_flags_report(vx):
    out = run(vx, state(speak_t=0.0, sbottom_c=0.0))
    assert out["speak_t"] == 1e-8 and out["sbottom_c"] == 1e-8
    out = run(vx, state(dmgflag=3))
    assert (out["de"], out["df_t"], out["df_c"]) == (1.0, 1.0, 1.0)
    assert int(vx.errorhandling.errstat) == -2
    msg = "Error: Default case in subroutine GradualDegradation. Please check your input parameters."
    assert vx.errorhandling.errstring[()].decode() == msg[:80]


def test_cycle_jump_form(vx):
    # fully damaged or below the fatigue limit: nothing to degrade
    out = run(vx, state(dmgflag=2, df_t=0.01))
    assert out["nm"] == 1.0 and out["cjump_nf"] == HUGE
    out = run(vx, state(dmgflag=2, speak_t=1e-6, sbottom_t=0.9e-6))
    assert out["cjump_nf"] >= 1e20 and out["df_t"] == 1.0
    # from the start (D = 0): nm = cjimp / Nf
    s = state(dmgflag=2, n=1000.0)
    nf = life(s)
    out = run(vx, s)
    assert out["nm"] == pytest.approx(1000 / nf, rel=1e-12)
    assert out["df_t"] == pytest.approx(curve(1000.0, nf, 0.5, 1.5, 2.0), rel=1e-12)
    # the allowed jump ends where the strength has dropped by lim
    end = 1000.0 + out["cjump_nf"]
    assert curve(end, nf, 0.5, 1.5, 2.0) == pytest.approx(out["df_t"] - 0.05, rel=1e-9)
    # a later call recovers the equivalent cycle number from the strength alone
    s2 = state(dmgflag=2, n=3000.0, cjimp=1000.0, df_t=out["df_t"], df_c=out["df_c"], de=out["de"])
    out2 = run(vx, s2)
    assert out2["nm"] == pytest.approx(2000 / nf, rel=1e-9)
    # constant stress: no branch, no change, in both forms
    out = run(vx, state(dmgflag=2, speak_t=0.5, sbottom_t=0.5))
    assert out["df_t"] == 1.0 and out["cjump_nf"] == HUGE and not math.isnan(out["nm"])
    for kw in (dict(speak_t=0.5, sbottom_t=0.5), dict(speak_t=-0.8, sbottom_t=-0.8, xctratio=0.8)):
        out = run(vx, state(dmgflag=1, **kw))
        assert (out["df_t"], out["df_c"], out["de"]) == (1.0, 1.0, 1.0) and out["nm"] < 1e-300


def test_cycle_jump_form_compression_branch(vx):
    # kappa > 1: the compression strength, its own exponents and floor govern
    s = state(dmgflag=2, speak_t=-0.6, sbottom_t=-0.3, speak_c=-0.6, sbottom_c=-0.3, alpha_c=2.5, beta_c=1.2)
    nf = life(s)
    out = run(vx, s)
    assert out["nm"] == pytest.approx(1000 / nf, rel=1e-12)
    assert out["df_c"] == pytest.approx(curve(1000.0, nf, 0.6, 1.2, 2.5), rel=1e-12)
    assert out["df_t"] == pytest.approx(curve(1000.0, nf, 0.3, 1.5, 2.0), rel=1e-12)
    assert out["de"] == pytest.approx(curve(1000.0, nf, 0.6, 1.2, 3.0), rel=1e-12)
    end = 1000.0 + out["cjump_nf"]
    assert curve(end, nf, 0.6, 1.2, 2.5) == pytest.approx(out["df_c"] - 0.05, rel=1e-9)


def test_diagnostics_only_for_the_debug_element(vx, capfd):
    vx.debugdata.edebug = 77
    try:
        run(vx, state(noel=76))
        assert capfd.readouterr().out == ""
        run(vx, state(noel=77, dmgflag=2))
        out = capfd.readouterr().out.splitlines()
    finally:
        vx.debugdata.edebug = 0
    assert out[0].strip() == "New Implementation for stiffness degradation"
    assert any(ln.strip() == "T-T or T-dominated" for ln in out)
