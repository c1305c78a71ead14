#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "project/project_xml.h"

// The resources built into the program. One so far: the resource project, the forms of the
// system dialogs (message, questions, password, keypads, calendar, form map, colour, search,
// login) in the folders "Resource" and "Resource_tablet", read with
// CNPRootClientBrowser::OpenResourceProject(BuiltInResources(), kResourceProjectId,
// kResourceProjectType, context). Its source is resources/dialogs/resource_project.xml,
// compiled in at build time.
inline constexpr uint32_t kResourceProjectId = 149;
inline constexpr std::u16string_view kResourceProjectType = u"XML";

std::span<const CNResource> BuiltInResources();
