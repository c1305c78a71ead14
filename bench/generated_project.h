#pragma once

// The project the document benchmarks load: 200 forms of 50 objects each (10,000 objects with
// the attributes, binds and event scripts that saved projects carry), as the body of a ROOT
// element. The binds and scripts read memory tags, so that the project runs without a server.
#include <malloc.h>

#include <string>

inline constexpr int kForms = 200;
inline constexpr int kObjectsPerForm = 50;

// Freed memory stays with the process. By default the allocator hands the documents' large
// blocks back to the system when they are freed and faults them in again on the next
// iteration, so that both sides would measure page faults (thousands per iteration) rather
// than their own work.
inline const bool s_freedMemoryKept = [] {
  mallopt(M_MMAP_THRESHOLD, 32 << 20);  // the largest the allocator accepts
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
  return true;
}();

inline constexpr const char* kEvent =
    "event OnMouseUp(button)\r\n"
    "{\r\n"
    "    // start the pump when the level allows it\r\n"
    "    if (GetValue(&quot;$D1&quot;) &lt; 90 &amp;&amp; GetValue(&quot;$M1&quot;) == F) {\r\n"
    "        SetValue(&quot;$M2&quot;, T);\r\n"
    "        ::Trace(&quot;started&quot;);\r\n"
    "    }\r\n"
    "}\r\n";

// One object of the kinds forms are mostly made of, at position i of its form.
inline void AppendObject(std::string& out, int i) {
  const std::string n = std::to_string(i);
  const std::string place = " Top=\"" + std::to_string(10 + i * 12) + "\" Left=\"" +
                            std::to_string(20 + i % 7 * 90) + "\" Height=\"24\" Width=\"80\"";
  switch (i % 5) {
    case 0:
      out += "<OBJ clid=\"Rectangle\" Name=\"Rect" + n + "\"" + place +
             " FillColor=\"#FFFF00\" BorderColor=\"@BorderColor\" BorderWidth=\"2\" Alpha=\"0.35\""
             " Bind=\"[Visible]$M1 == T[FillColor]$D1 &gt; 80 ? &quot;#FF0000&quot; : "
             "&quot;#00FF00&quot;\"/>\r\n";
      break;
    case 1:
      out += "<OBJ clid=\"Label\" Name=\"Label" + n + "\"" + place +
             " Text=\"Tank level\" TextFont=\"Meiryo UI,-13,0,400,0,0,0,0,0\" TextColor=\"#000000\""
             " TextAlignX=\"RIGHT\" Bind=\"[Text]$D1\"/>\r\n";
      break;
    case 2:
      out += "<OBJ clid=\"Button\" Name=\"Button" + n + "\"" + place +
             " Text=\"Start\" TabStop=\"T\" Event=\"" + kEvent + "\"/>\r\n";
      break;
    case 3:
      out += "<OBJ clid=\"EditBox\" Name=\"Edit" + n + "\"" + place +
             " Text=\"\" Comment=\"set point\" Bind=\"[Text]$D2\"/>\r\n";
      break;
    default:
      out += "<OBJ clid=\"Group\" Name=\"Group" + n + "\"" + place + " InnerFrame=\"T\">\r\n";
      out += "<OBJ clid=\"Ellipse\" Name=\"Lamp" + n + "\"" + place +
             " FillColor=\"@LightOnColor\" Bind=\"[Visible]$M1\"/>\r\n</OBJ>\r\n";
      break;
  }
}

// 50 objects per form: a group counts with the one object inside it.
inline const std::string& ProjectBody() {
  static const std::string s_body = [] {
    std::string out = "<ROOT>\r\n";
    for (int f = 0; f < kForms; ++f) {
      out += "<OBJ clid=\"Form\" Name=\"Form" + std::to_string(f) +
             "\" Height=\"600\" Width=\"800\" Stretch=\"RESIZE_FULL\" FillColor=\"#C0C0C0\">\r\n";
      for (int i = 0, objects = 0; objects < kObjectsPerForm; ++i) {
        AppendObject(out, i);
        objects += i % 5 == 4 ? 2 : 1;
      }
      out += "</OBJ>\r\n";
    }
    return out + "</ROOT>\r\n";
  }();
  return s_body;
}

