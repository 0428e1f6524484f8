#pragma once
// Moved to tests/support; kept for the includes not yet changed over.
#include "support/file_fixtures.h"
