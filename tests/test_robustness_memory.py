"""Work memory sized by the input that cannot be had ends the process with the library's
"Error allocating N bytes" line and status 1, never with an exception through the exported
routine (std::terminate, status 134). Each routine runs in a child whose address space is
limited to a little more than it holds once the input is built, so that the routine's own work
copy of that input is what does not fit."""
import re

import pytest

from conftest import limit_memory, needs_address_limit, run_python

HEADROOM = 64 << 20
N = 16_000_000  # 128 MB of reals, twice the headroom

CHILD = r'''
import numpy as np, _vexlan as vx
big = np.full({n}, 1.0)
{limit}{call}
print("returned", int(vx.errorhandling.errstat))
'''

CALLS = {
    "getpercentile": "vx.math.getpercentile(big, 50.0, 1)",
    # the parameter vector is copied for the call-back before its first call
    "fpsafe": "vx.math.fpsafe(lambda xnew, fargs, nfun: 1.0, 1.0, big, 1e-9, 10, 1)",
}


@needs_address_limit
@pytest.mark.parametrize("routine", sorted(CALLS))
def test_work_memory_that_cannot_be_had_ends_with_the_library_line(routine):
    out, rc = run_python(CHILD.format(n=N, limit=limit_memory(HEADROOM), call=CALLS[routine]), timeout=120)
    m = re.fullmatch(rb"Error allocating (\d+) bytes\n", out)
    assert rc == 1 and m, (rc, out[-500:])
    # the request that failed is the input-sized one, not some small one on the way
    assert HEADROOM < int(m[1]) <= 2 * 8 * N, out
