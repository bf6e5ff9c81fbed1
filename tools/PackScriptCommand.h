// The pack subcommands that load a demo: writing its packing script and running it.
// Depends on: DemoSession, ResourceLoader.
#pragma once

#include <string>
#include <vector>

int runPackScript(const std::vector<std::string>& args);
int runPackBuild(const std::vector<std::string>& args);
