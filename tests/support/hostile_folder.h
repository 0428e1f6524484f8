#pragma once
// The hostile nodes (hostile_nodes.h) in a test's own folder.

#include "support/file_fixtures.h"
#include "support/hostile_nodes.h"

namespace velmaric::testing {

inline void Make_Hostile_Nodes(const Temp_Folder& folder) {
  ASSERT_TRUE(Make_Hostile_Nodes(folder.Path(""))) << folder.Path("");
}

}  // namespace velmaric::testing
