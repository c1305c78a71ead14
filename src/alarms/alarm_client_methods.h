#pragma once

#include <span>

#include "script/method_table.h"

// The script methods of the remote alarm client, which the alarm grid has too.
std::span<const MethodEntry> AlarmClientMethodEntries();
// The alarm grid's own methods (alarm_grid_methods.cpp).
std::span<const MethodEntry> AlarmGridMethodEntries();

// Registers the method tables of the alarm classes with the script engine (the grid's before
// the client's, as the grid is a client too). Once, at start-up.
void RegisterAlarmMethods();
