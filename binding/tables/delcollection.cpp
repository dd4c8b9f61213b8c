// Python table of the delamination criteria (component delcollection).
#include "table.h"
#include "vexlan/delcollection.h"

#define S(x) "" #x ": f8"

VX_ROUTINE(delcollection, DelLee, "rdel = dellee(s33,s12,s13,xt33,xc33,ilss)",
           "rdel: f8 out", S(s33), S(s12), S(s13), S(xt33), S(xc33), S(ilss));

VX_ROUTINE(delcollection, DelOchoaEngblom, "rdel = delochoaengblom(s33,s13,s23,xt33,xc33,ilss)",
           "rdel: f8 out", S(s33), S(s13), S(s23), S(xt33), S(xc33), S(ilss));

VX_ROUTINE(delcollection, DelHashin, "rdel = delhashin(s33,s13,s23,xt22,xc22,ilss)",
           "rdel: f8 out", S(s33), S(s13), S(s23), S(xt22), S(xc22), S(ilss));

VX_ROUTINE(delcollection, DelPuck, "rdel = delpuck(s33,s13,s23,xt22,xc22,ilss,[gp])",
           "rdel: f8 out", S(s33), S(s13), S(s23), S(xt22), S(xc22), S(ilss), "gp: f8(4) doc \"Default: (0.3, 0.2, 0.15, 0.15)\"");

VX_ROUTINE(delcollection, DelChoiChang, "rdel = delchoichang(s22l,s13l,s23u,xt22l,xc22l,ilssl,ilssu,[da])",
           "rdel: f8 out", S(s22l), S(s13l), S(s23u), S(xt22l), S(xc22l), S(ilssl), S(ilssu), "da: f8 = 1.8");

VX_ROUTINE(delcollection, DelChai, "rdel = delchai(s22l,s13l,s23u,xt22l,xc22l,x23u,ilssl,df1,df2,df3)",
           "rdel: f8 out", S(s22l), S(s13l), S(s23u), S(xt22l), S(xc22l), S(x23u), S(ilssl), S(df1), S(df2),
           S(df3));
