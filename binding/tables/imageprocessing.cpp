// Python table of the component imageprocessing.
#include "table.h"
#include "vexlan/imageprocessing.h"

VX_ROUTINE(imageprocessing, GetPointOnXYPlane, "xycoord = getpointonxyplane(point,origin,xyplane,theta)",
           "xycoord: f8(2) out",
           "point: f8(3)",
           "origin: f8(3)",
           "xyplane: f8(3,3)",
           "theta: f8");

VX_ROUTINE(imageprocessing, Polygon, "polygon = polygon(px,py,xx,yy,[n])",
           "polygon: f8 ret",
           "px: f8",
           "py: f8",
           "xx: f8(n)",
           "yy: f8(n)",
           "n: i4");

VX_ROUTINE(imageprocessing, ProjectedPointInPolygon,
           "projectedpointinpolygon = projectedpointinpolygon(point,xypairs,theta,refcoords,refcos,[npoints])",
           "projectedpointinpolygon: l1 ret",
           "point: f8(3)",
           "xypairs: f8(npoints,2)",
           "theta: f8",
           "refcoords: f8(3)",
           "refcos: f8(3,3)",
           "npoints: i4");

VX_ROUTINE(imageprocessing, Ellipse, "ellipse = ellipse(x,y,a,b,[xyorigin])",
           "ellipse: f8 ret",
           "x: f8", "y: f8", "a: f8", "b: f8",
           "xyorigin: f8(2) absent \"(0.0, 0.0)\"");

VX_ROUTINE(imageprocessing, Rectangle, "rectangle = rectangle(x,y,a,b,[xyorigin])",
           "rectangle: f8 ret",
           "x: f8", "y: f8", "a: f8", "b: f8",
           "xyorigin: f8(2) absent \"(0.0, 0.0)\"");

VX_ROUTINE(imageprocessing, ProjectedPointInShape,
           "projectedpointinshape = projectedpointinshape(point,a,b,theta,refcoords,refcos,shapeid)",
           "projectedpointinshape: l1 ret",
           "point: f8(3)",
           "a: f8",
           "b: f8",
           "theta: f8",
           "refcoords: f8(3)",
           "refcos: f8(3,3)",
           "shapeid: i4");

VX_ROUTINE(imageprocessing, Line, "line = line(x,y,a,b,[proximity])",
           "line: f8 ret",
           "x: f8", "y: f8",
           "a: f8(2)",
           "b: f8(2)",
           "proximity: f8 absent \"1e-5\"");
