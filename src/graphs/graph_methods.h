#pragma once

// Registers the method tables of the trend graph and the plot graph with the script engine's
// built-in tables; names they do not have go on to the common methods. Once, at start-up.
void RegisterGraphMethods();
