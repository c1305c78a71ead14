#pragma once

#include <string>
#include <string_view>

// A container's name of a panel method: every "::" stands for "root.", and the text splits at
// its last "." into the object's path and the method's name ("::Start" -> "root", "Start";
// "Main.Pump1.Toggle" -> "Main.Pump1", "Toggle"). False when there is no "." after the first
// character.
bool SplitPanelMethodName(std::u16string_view name, std::u16string& objectPath, std::u16string& method);
