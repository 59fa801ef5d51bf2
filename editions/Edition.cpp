// The single application object of one edition; STMTLINK_EDITION names its row of the
// edition table.
#include "app/ClLinkApp.h"

ClLinkApp theApp(Edition(EditionId::STMTLINK_EDITION));
