#pragma once

#include "options.h"

class CNPProjectBrowser;
class CRMessageLoop;

// Runs an opened project without a window until it shuts down, the loop is quit or the
// options' seconds have passed, taking the screenshots the options ask for: one every
// screenshotEvery seconds from now into screenshotDir, and one when the run ends. Each is
// announced on stdout as "[screenshot] PATH", with " (failed)" when it could not be written.
void RunHeadlessProject(CRMessageLoop& loop, CNPProjectBrowser& browser, const CHostOptions& options);
