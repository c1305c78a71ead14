#pragma once

#include <span>

#include "script/method_table.h"

// The alarm grid's own methods (alarm_grid_methods.cpp); the grid has the client's too.
std::span<const MethodEntry> AlarmGridMethodEntries();

// Registers the method tables of the alarm classes with the script engine (the grid's before
// the client's, as the grid is a client too). Once, at start-up.
void RegisterAlarmMethods();
