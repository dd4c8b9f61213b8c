/* Transitional: the old grouped header name, kept until every caller uses the
 * umbrella or the component headers. */
#include "../vexlan.h"
