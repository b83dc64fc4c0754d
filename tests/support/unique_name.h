#pragma once

#include <string>

// A name no other test uses: prefix + process id + "_" + a counter + "_" + the tick count. The
// tick count keeps apart runs that happen to get the same process id (Wine hands them out
// again soon), should an earlier run have left something behind.
std::string UniqueName(const std::string& prefix);
