// The effect classes Tarnveld registers as templates, in registration order: one table of class
// names and the factories that make their templates. The entry function, the tools and the tests
// all read this table, so a script that passes the checker names only effects the demo knows.
// Depends on: Effect and the production's effect classes.
#pragma once

#include <string>
#include <vector>

class Effect;

namespace TarnveldEffectList {

// Registry names (= class names) of the 25 effect templates, in order.
const std::vector<std::string>& names();

// A new template of the class registered under name (the caller owns it); a class whose drawing
// is not written yet is a plain Effect. Null for a name the table lacks.
Effect* newTemplate(const std::string& name);

}  // namespace TarnveldEffectList
