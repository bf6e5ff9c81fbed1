// The effect classes Tarnveld registers as templates, in registration order.
// The entry function and the `demosys check` tool both read this one list,
// so a script that passes the checker names only effects the demo knows.
#pragma once

#include <string>
#include <vector>

namespace TarnveldEffectList {

// Registry names (= class names) of the 25 effect templates, in order.
const std::vector<std::string>& names();

}  // namespace TarnveldEffectList
