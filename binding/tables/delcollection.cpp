// Python table of the delamination criteria (component delcollection).
#include "table.h"
#include "vexlan/delcollection.h"

VX_ROUTINE(delcollection, DelLee, "rdel = dellee(s33,s12,s13,xt33,xc33,ilss)",
           "rdel: f8 out", VX_REAL(s33), VX_REAL(s12), VX_REAL(s13), VX_REAL(xt33), VX_REAL(xc33), VX_REAL(ilss));

VX_ROUTINE(delcollection, DelOchoaEngblom, "rdel = delochoaengblom(s33,s13,s23,xt33,xc33,ilss)",
           "rdel: f8 out", VX_REAL(s33), VX_REAL(s13), VX_REAL(s23), VX_REAL(xt33), VX_REAL(xc33), VX_REAL(ilss));

VX_ROUTINE(delcollection, DelHashin, "rdel = delhashin(s33,s13,s23,xt22,xc22,ilss)",
           "rdel: f8 out", VX_REAL(s33), VX_REAL(s13), VX_REAL(s23), VX_REAL(xt22), VX_REAL(xc22), VX_REAL(ilss));

VX_ROUTINE(delcollection, DelPuck, "rdel = delpuck(s33,s13,s23,xt22,xc22,ilss,[gp])",
           "rdel: f8 out", VX_REAL(s33), VX_REAL(s13), VX_REAL(s23), VX_REAL(xt22), VX_REAL(xc22), VX_REAL(ilss),
           VX_PUCK_PARAMETERS);

VX_ROUTINE(delcollection, DelChoiChang, "rdel = delchoichang(s22l,s13l,s23u,xt22l,xc22l,ilssl,ilssu,[da])",
           "rdel: f8 out", VX_REAL(s22l), VX_REAL(s13l), VX_REAL(s23u), VX_REAL(xt22l), VX_REAL(xc22l), VX_REAL(ilssl),
           VX_REAL(ilssu), "da: f8 = 1.8");

VX_ROUTINE(delcollection, DelChai, "rdel = delchai(s22l,s13l,s23u,xt22l,xc22l,x23u,ilssl,df1,df2,df3)",
           "rdel: f8 out", VX_REAL(s22l), VX_REAL(s13l), VX_REAL(s23u), VX_REAL(xt22l), VX_REAL(xc22l), VX_REAL(x23u),
           VX_REAL(ilssl), VX_REAL(df1), VX_REAL(df2),
           VX_REAL(df3));
