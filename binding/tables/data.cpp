// Component data: the kind parameters and the process-wide data blocks.
#include "data.h"
#include "table.h"

using namespace vx;

VX_DATA_CONST(types, "cb", types::cb);
VX_DATA_CONST(types, "i2", types::i2);
VX_DATA_CONST(types, "i4", types::i4);
VX_DATA_CONST(types, "i8", types::i8);
VX_DATA_CONST(types, "sp", types::sp);
VX_DATA_CONST(types, "dp", types::dp);
VX_DATA_CONST(types, "qp", types::qp);

VX_DATA_I4(jobdata, "stepcount", jobdata::stepcount);
VX_DATA_I4(jobdata, "nsteps", jobdata::nsteps);
VX_DATA_I4(jobdata, "solverid", jobdata::solverid);
VX_DATA_ARRAY(jobdata, "stepid", jobdata::stepid);
VX_DATA_ARRAY(jobdata, "processid", jobdata::processid);
VX_DATA_TEXT(jobdata, "jobname", jobdata::jobname);
VX_DATA_TEXT(jobdata, "joboutdir", jobdata::joboutdir);
VX_DATA_TEXT(jobdata, "jobfilepath", jobdata::jobfilepath);

VX_DATA_I4(debugdata, "nupdate", debugdata::nupdate);
VX_DATA_I4(debugdata, "edebug", debugdata::edebug);
VX_DATA_I4(debugdata, "ndebug", debugdata::ndebug);
VX_DATA_I4(debugdata, "fdebug", debugdata::fdebug);
VX_DATA_I4(debugdata, "verbose", debugdata::verbose);
VX_DATA_I4(debugdata, "unitid", debugdata::unitid);

VX_DATA_I4(loaddata, "nimp", loaddata::nimp);
VX_DATA_ARRAY(loaddata, "dprops", loaddata::dprops);
VX_DATA_ARRAY(impactdata, "cprops", impactdata::cprops);
VX_DATA_ARRAY(impactdata, "csvars", impactdata::csvars);

VX_DATA_ARRAY(shokriehdata, "cycleprops", shokriehdata::cycleprops);
VX_DATA_ARRAY(shokriehdata, "cycles", shokriehdata::cycles);
VX_DATA_F8(shokriehdata, "dnf", shokriehdata::dnf);
VX_DATA_F8(shokriehdata, "dnfshok", shokriehdata::dnfshok);

VX_DATA_I4(materialdata, "modelid", materialdata::modelid);
VX_DATA_I4(materialdata, "ntempdata", materialdata::ntempdata);
VX_DATA_I4(materialdata, "nflowdata", materialdata::nflowdata);
VX_DATA_I4(materialdata, "nsecantdata", materialdata::nsecantdata);
VX_DATA_I4(materialdata, "nalpha1data", materialdata::nalpha1data);
VX_DATA_I4(materialdata, "nalpha2data", materialdata::nalpha2data);
VX_DATA_I4(materialdata, "nalpha3data", materialdata::nalpha3data);
VX_DATA_I4(materialdata, "nnormaldata", materialdata::nnormaldata);
VX_DATA_I4(materialdata, "nsheardata", materialdata::nsheardata);
VX_DATA_ARRAY(materialdata, "matidlist", materialdata::matidlist);
VX_DATA_ARRAY(materialdata, "pfflags", materialdata::pfflags);
VX_DATA_ARRAY(materialdata, "peflags", materialdata::peflags);
VX_DATA_ARRAY(materialdata, "pelimits", materialdata::pelimits);
VX_DATA_ARRAY(materialdata, "peprops", materialdata::peprops);
VX_DATA_ARRAY(materialdata, "psprops", materialdata::psprops);
VX_DATA_ARRAY(materialdata, "pfprops", materialdata::pfprops);
VX_DATA_ARRAY(materialdata, "phprops", materialdata::phprops);
VX_DATA_ARRAY(materialdata, "pdprops", materialdata::pdprops);
VX_DATA_ARRAY(materialdata, "cuprops", materialdata::cuprops);
VX_DATA_ARRAY(materialdata, "temperatures", materialdata::temperatures);
VX_DATA_ARRAY(materialdata, "flowprops", materialdata::flowprops);
VX_DATA_ARRAY(materialdata, "secantprops", materialdata::secantprops);
VX_DATA_ARRAY(materialdata, "normalprops", materialdata::normalprops);
VX_DATA_ARRAY(materialdata, "shearprops", materialdata::shearprops);
VX_DATA_ARRAY(materialdata, "alpha1props", materialdata::alpha1props);
VX_DATA_ARRAY(materialdata, "alpha2props", materialdata::alpha2props);
VX_DATA_ARRAY(materialdata, "alpha3props", materialdata::alpha3props);
VX_DATA_ARRAY(materialdata, "regularization", materialdata::regularization);
VX_DATA_ARRAY(materialdata, "r_crit", materialdata::r_crit);
VX_DATA_ARRAY(materialdata, "i10", materialdata::i10);
VX_DATA_ARRAY(materialdata, "equivalentstress", materialdata::equivalentstress);

VX_DATA_I4(sectiondata, "nsec", sectiondata::nsec);
VX_DATA_I4(sectiondata, "nplies", sectiondata::nplies);
VX_DATA_ARRAY(sectiondata, "secidlist", sectiondata::secidlist);
VX_DATA_ARRAY(sectiondata, "seflags", sectiondata::seflags);
VX_DATA_ARRAY(sectiondata, "xcstrength", sectiondata::xcstrength);
VX_DATA_ARRAY(sectiondata, "plythickness", sectiondata::plythickness);
VX_DATA_ARRAY(sectiondata, "plyorientation", sectiondata::plyorientation);
VX_DATA_ARRAY(sectiondata, "plyzcoord", sectiondata::plyzcoord);
VX_DATA_ARRAY(sectiondata, "sehmatrix", sectiondata::sehmatrix);
VX_DATA_ARRAY(sectiondata, "sefmatrix", sectiondata::sefmatrix);
VX_DATA_ARRAY(sectiondata, "nsectionpoints", sectiondata::nsectionpoints);
VX_DATA_ARRAY(sectiondata, "sestress", sectiondata::sestress);
VX_DATA_ARRAY(sectiondata, "sestrain", sectiondata::sestrain);
VX_DATA_ARRAY(sectiondata, "tnormalstress", sectiondata::tnormalstress);
VX_DATA_ARRAY(sectiondata, "tshearstress", sectiondata::tshearstress);
VX_DATA_ARRAY(sectiondata, "seuser", sectiondata::seuser);
VX_DATA_ARRAY(sectiondata, "seprops", sectiondata::seprops);

VX_DATA_I4(nodaldata, "nnodes", nodaldata::nnodes);
VX_DATA_I4(nodaldata, "ndof", nodaldata::ndof);
VX_DATA_ARRAY(nodaldata, "nodesmotion", nodaldata::nodesmotion);
VX_DATA_ARRAY(nodaldata, "nodalcoords", nodaldata::nodalcoords);
VX_DATA_ARRAY(nodaldata, "tnodalmatrices", nodaldata::tnodalmatrices);
VX_DATA_ARRAY(nodaldata, "tcurvmatrices", nodaldata::tcurvmatrices);

VX_DATA_I4(elementdata, "nelem", elementdata::nelem);
VX_DATA_I4(elementdata, "nsens", elementdata::nsens);
VX_DATA_ARRAY(elementdata, "elemlist", elementdata::elemlist);
VX_DATA_ARRAY(elementdata, "elemkind", elementdata::elemkind);
VX_DATA_ARRAY(elementdata, "elemnodes", elementdata::elemnodes);
VX_DATA_ARRAY(elementdata, "elemcurvatures", elementdata::elemcurvatures);
VX_DATA_ARRAY(elementdata, "elemreforientation", elementdata::elemreforientation);
VX_DATA_ARRAY(elementdata, "elemlength", elementdata::elemlength);
VX_DATA_ARRAY(elementdata, "elemindices", elementdata::elemindices);

VX_DATA_I4(damagedata, "ndmg", damagedata::ndmg);
VX_DATA_ARRAY(damagedata, "damagedds", damagedata::damagedds);
VX_DATA_ARRAY(damagedata, "generaldds", damagedata::generaldds);
VX_DATA_ARRAY(damagedata, "fiberdds", damagedata::fiberdds);
VX_DATA_ARRAY(damagedata, "matrixdds", damagedata::matrixdds);
VX_DATA_ARRAY(damagedata, "delamdds", damagedata::delamdds);
VX_DATA_ARRAY(damagedata, "coredds", damagedata::coredds);
VX_DATA_ARRAY(damagedata, "userdds", damagedata::userdds);
VX_DATA_ARRAY(damagedata, "dmgplane", damagedata::dmgplane);
VX_DATA_ARRAY(damagedata, "dmgpoints", damagedata::dmgpoints);
VX_DATA_ARRAY(damagedata, "dmgshape", damagedata::dmgshape);

VX_DATA_ARRAY(bukdata, "bukintdatalist", bukdata::bukintdatalist);
VX_DATA_ARRAY(bukdata, "bukrealdatalist", bukdata::bukrealdatalist);

VX_DATA_I4(errorhandling, "errstat", errorhandling::errstat);
VX_DATA_TEXT(errorhandling, "errstring", errorhandling::errstring);
VX_DATA_ARRAY(errorhandling, "errintv", errorhandling::errintv);
VX_DATA_ARRAY(errorhandling, "errrealv", errorhandling::errrealv);
VX_DATA_ARRAY(errorhandling, "errasciim", errorhandling::errasciim);
