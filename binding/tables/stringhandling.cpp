// Python table of the text helpers of the component stringhandling.
#include "table.h"
#include "vexlan/stringhandling.h"

VX_ROUTINE(stringhandling, split, "a,b = split(s,sdelim,n)",
           "a: str(max(n,0)) out",
           "b: str(max(n,0)) out",
           "s: str(*)",
           "sdelim: str(*)",
           "n: i4");

VX_ROUTINE(stringhandling, extract, "extract = extract(s,startkey,stopkey,n)",
           "extract: str(max(n,0)) ret",
           "s: str(*)",
           "startkey: str(*)",
           "stopkey: str(*)",
           "n: i4");

VX_ROUTINE(stringhandling, lowercase, "lowercase = lowercase(s,n)",
           "lowercase: str(max(n,0)) ret",
           "s: str(*)",
           "n: i4 check(n<=slen(s))");

VX_ROUTINE(stringhandling, uppercase, "uppercase = uppercase(s,n)",
           "uppercase: str(max(n,0)) ret",
           "s: str(*)",
           "n: i4 check(n<=slen(s))");

VX_ROUTINE(stringhandling, match, "match = match(a,b)",
           "match: l1 ret",
           "a: str(*)",
           "b: str(*)");

VX_ROUTINE(stringhandling, translate, "sout = translate(s0,codes,n,[nc])",
           "s0: str(*)",
           "sout: str(max(n,0)) out",
           "codes: i4(nc,2)",
           "n: i4 check(n<=slen(s0))",
           "nc: i4");

VX_ROUTINE(stringhandling, replacetext, "sout = replacetext(s,text,rep,nout)",
           "s: str(*)",
           "text: str(*)",
           "rep: str(*)",
           "sout: str(max(nout,0)) out",
           "nout: i4");

VX_ROUTINE(stringhandling, reduceblanks, "sout = reduceblanks(s,nout)",
           "s: str(*)",
           "sout: str(max(nout,0)) out",
           "nout: i4");

VX_ROUTINE(stringhandling, int2aformat, "j2s = int2aformat(jrray,aw,jmax,sout,m,[n])",
           "j2s: str(max(sout,0)) out",
           "jrray: i4(n,*) check(shape(jrray,1)>=m)",  // columns beyond m are not read
           "aw: str(8)",
           "jmax: i4",
           "sout: i4",
           "n: i4",
           "m: i4");

VX_ROUTINE(stringhandling, tally, "tally = tally(s,text,[csflag])",
           "tally: i4 ret",
           "s: str(*)",
           "text: str(*)",
           "csflag: i4 = 1");

VX_ROUTINE(stringhandling, occurs, "occurs = occurs(a,b)",
           "occurs: l1 ret",
           "a: str(*)",
           "b: str(*)");

VX_ROUTINE(stringhandling, clen, "clen = clen(s)",
           "clen: i4 ret",
           "s: str(*)");

VX_ROUTINE(stringhandling, clen_trim, "clen_trim = clen_trim(s)",
           "clen_trim: i4 ret",
           "s: str(*)");

VX_ROUTINE(stringhandling, countitems, "countitems = countitems(s0)",
           "countitems: i4 ret",
           "s0: str(*)");

VX_ROUTINE(stringhandling, ctrim, "ctrim = ctrim(s,n)",
           "ctrim: str(max(n,0)) ret",
           "s: str(*)",
           "n: i4");

VX_ROUTINE(stringhandling, copys2a, "ca = copys2a(s,n)",
           "s: str(*)",
           "ca: s1(n) out",
           "n: i4 check(n<=slen(s))");

VX_ROUTINE(stringhandling, spack, "sout = spack(s,ex,ns,nx)",
           "s: str(*)",
           "ex: str(*)",
           "sout: str(max(ns,0)) out",
           "ns: i4",
           "nx: i4 check(nx<=slen(ex))");

VX_ROUTINE(stringhandling, copya2s, "s = copya2s(ca,n)",
           "ca: s1(*,*)",
           "s: str(max(n,0)) out",
           "n: i4 check(n<=size(ca))");

VX_ROUTINE(stringhandling, str2ascii, "ia = str2ascii(ca,n)",
           "ia: i4(n) out",
           "ca: str(*)",
           "n: i4 check(n<=slen(ca))");

// The text is wide enough for any 32-bit value with its sign; the result
// comes back without the trailing blanks.
VX_ROUTINE(stringhandling, int2str, "ca,istat = int2str(integ)",
           "integ: i4",
           "ca: str(11) out",
           "istat: i4 out",
           "n: i4 = 11");

VX_ROUTINE(stringhandling, str2int, "integ,istat = str2int(ca)",
           "ca: str(*)",
           "integ: i4 out",
           "istat: i4 out");

VX_ROUTINE(stringhandling, inistringwithcharacter, "inistringwithcharacter = inistringwithcharacter(ch,n)",
           "inistringwithcharacter: str(max(n,0)) ret",
           "ch: str(*)",
           "n: i4");
