// Where ferrix-host finds the Ferrix module and the demo loop: beside itself (the build tree, the
// Windows zip) or where the Linux package installs them (../lib/vst, ../share/ferrix).
#pragma once

#include <string>

namespace ferrix::host {

std::string DefaultPluginPath();
std::string DemoPath();

}  // namespace ferrix::host
