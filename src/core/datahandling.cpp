// Sizing and release of the shared data. Every array is allocated only when
// unallocated, so repeated calls keep existing extents and contents.
#include <algorithm>
#include "data.h"
#include "vexlan/datahandling.h"

using namespace vx;

namespace {
template <class A>
void alloc_if_free(A& a, std::initializer_list<int64_t> e) {
  if (!a.allocated()) a.allocate(e);
}
}  // namespace

VX_API void allocatenodaldata(int32_t* istat, const int32_t* kdof, const int32_t* knodes, const int32_t* kelem) {
  using namespace nodaldata;
  alloc_if_free(nodesmotion, {*kdof, *knodes, *kelem});
  alloc_if_free(nodalcoords, {3, *knodes, *kelem});
  alloc_if_free(tnodalmatrices, {3, 3, 8, *kelem});
  alloc_if_free(tcurvmatrices, {3, 3, *kelem});
  *istat = 0;
}

VX_API void allocateelementdata(int32_t* istat, const int32_t* knodes, const int32_t* kelem) {
  using namespace elementdata;
  alloc_if_free(elemlist, {*kelem});
  alloc_if_free(elemkind, {*kelem});
  alloc_if_free(elemnodes, {*knodes, *kelem});
  alloc_if_free(elemcurvatures, {2, *kelem});
  alloc_if_free(elemreforientation, {7, *kelem});
  alloc_if_free(sectiondata::nsectionpoints, {*kelem});
  *istat = 0;
}

VX_API void allocatedamagedata(int32_t* istat, const int32_t* kplies, const int32_t* ksec, const int32_t* kdmg) {
  using namespace damagedata;
  ndmg = std::max({ndmg, 1, *kdmg});
  const int64_t ki = std::max<int64_t>(int64_t(*kplies) - 1, 1);
  if (!damagedds.allocated()) {
    damagedds.allocate({1});
    damagedds(1) = -1;
  }
  alloc_if_free(generaldds, {3, *kplies, ndmg});
  alloc_if_free(fiberdds, {3, *kplies, ndmg});
  alloc_if_free(matrixdds, {3, *kplies, ndmg});
  alloc_if_free(delamdds, {3, ki, ndmg});
  alloc_if_free(coredds, {3, *kplies, ndmg});
  alloc_if_free(userdds, {3, *kplies, ndmg});
  // The marker makes the zeroing happen once per allocation of damagedds.
  if (damagedds.extent(1) >= 1 && damagedds(1) == -1) {
    damagedds(1) = 0;
    for (RArr3* a : {&generaldds, &fiberdds, &matrixdds, &delamdds, &coredds, &userdds}) a->fill(0.0);
  }
  if (!dmgplane.allocated()) {
    dmgplane.allocate({10, ndmg});
    dmgplane.fill(0.0);
  }
  // A buckling list holds one record per pass of the analysis and one for the
  // remaining sub-laminate: as many as there are plies.
  const int64_t krec = std::max(*kplies, 1);
  if (!bukdata::bukintdatalist.allocated()) {
    bukdata::bukintdatalist.allocate({4, krec, ndmg, *ksec});
    bukdata::bukintdatalist.fill(0);
  }
  if (!bukdata::bukrealdatalist.allocated()) {
    bukdata::bukrealdatalist.allocate({12, krec, ndmg, *ksec});
    bukdata::bukrealdatalist.fill(0.0);
  }
  *istat = 0;
}

VX_API void deallocall(int32_t* istat) {
  *istat = 0;
  ArrayBase* order[] = {
      &jobdata::stepid,
      &materialdata::matidlist, &materialdata::pfflags, &materialdata::peflags, &materialdata::pelimits,
      &materialdata::peprops, &materialdata::psprops, &materialdata::pfprops, &materialdata::phprops,
      &materialdata::pdprops, &materialdata::cuprops,
      &sectiondata::secidlist, &sectiondata::seflags, &sectiondata::nsectionpoints, &sectiondata::xcstrength,
      &sectiondata::plythickness, &sectiondata::plyorientation, &sectiondata::plyzcoord,
      &sectiondata::sefmatrix, &sectiondata::sehmatrix, &sectiondata::seuser, &sectiondata::seprops,
      &sectiondata::sestress, &sectiondata::sestrain, &sectiondata::tnormalstress, &sectiondata::tshearstress,
      &nodaldata::nodesmotion, &nodaldata::nodalcoords, &nodaldata::tnodalmatrices, &nodaldata::tcurvmatrices,
      &elementdata::elemlist, &elementdata::elemkind, &elementdata::elemnodes, &elementdata::elemlength,
      &elementdata::elemindices, &elementdata::elemcurvatures, &elementdata::elemreforientation,
      &impactdata::cprops, &loaddata::dprops,
      &damagedata::damagedds, &damagedata::generaldds, &damagedata::fiberdds, &damagedata::matrixdds,
      &damagedata::coredds, &damagedata::userdds, &damagedata::delamdds, &damagedata::dmgshape,
      &damagedata::dmgplane, &damagedata::dmgpoints,
      &bukdata::bukintdatalist, &bukdata::bukrealdatalist,
      &shokriehdata::cycles, &shokriehdata::cycleprops,
  };
  for (ArrayBase* a : order) a->free();
}

VX_API void datahandling_allocatearray(vx_array* a, const int64_t* extents) {
  auto* arr = static_cast<ArrayBase*>(a);
  arr->free();
  if (extents[0] >= 1) arr->allocate_raw(extents);
}

VX_API void datahandling_deallocatearray(vx_array* a) { static_cast<ArrayBase*>(a)->free(); }
