#pragma once

#include <string>
#include <string_view>

// The project a container names, taken relative to the address of the container's document:
//   - a name holding ":" (a drive, a scheme) stands as it is, and so does any name when the
//     address is neither http:// nor file://;
//   - "http://host/dir/page.html": the address up to its last "/" goes in front;
//   - "file:///C:/My%20Pages/page.html": the text after "file:///" with "/" turned into "\",
//     "%20" into a blank and "%25" into "%", up to its last "\", goes in front; without a
//     drive letter ("file:///srv/hmi/page.html") the path keeps its leading "/" ("\srv\hmi\"),
//     which the runtime reads as "/srv/hmi/";
//   - "file://server/share/page.html": the same, with "//" in front of a text that neither
//     starts with "\" nor holds ":" (a network path).
std::u16string ResolveAgainstDocument(std::u16string_view name, std::u16string_view documentAddress);
