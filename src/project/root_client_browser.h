#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "project/form_file_reader.h"
#include "project/project_location.h"
#include "project/project_xml.h"
#include "project/root_client.h"

// Asked before a project written by a newer program is opened (Yes/No, question icon).
inline constexpr std::u16string_view kNewerFileQuestion =
    u"Browser version is older than this xml file version. Plase install the latest version. Do you open "
    u"this "
    u"file?";

// The root client of an open project: the settings and the object tree, and the document they
// were read from.
class CNPRootClientBrowser : public CNPRootClient, public CNPXml {
 public:
  // Locates the project, loads its document and reads it: the FORMROOT element's attributes
  // into the settings ("Name" first, "Customize" second, then the others in document order,
  // then "Bind" and "Event"), then its folders, forms and objects through context. False with
  // the loader's error text (GetErrorText) when the document cannot be had; nothing is read
  // then.
  bool OpenProject(std::u16string_view path, CNFormLoadContext& context);
  // The same for a project built into the program (the runtime's own dialogs); the location
  // stays empty.
  bool OpenResourceProject(std::span<const CNResource> module, uint32_t id, std::u16string_view type,
                           CNFormLoadContext& context);
  const CNProjectLocation& GetLocation() const { return m_location; }
  // The folder relative names resolve against, in place of the project's own.
  void SetFolder(std::u16string folder) { m_location.folder = std::move(folder); }

  // True when the file's revision is above the program's while "FileRevCheck" is true: the
  // operator is then asked kNewerFileQuestion before the project opens.
  bool NeedsRevisionQuestion() const;

  // Writes the project to path, leaving out default values when "FileSaveWithoutDefault" is
  // true, enciphered when path ends in ".brw". False with error set when the file cannot be
  // written.
  bool SaveProject(std::u16string_view path, std::string& error) const;

 protected:
  // The project file's name without its folder and extension.
  std::u16string GetLibraryName() const override;

 private:
  void ReadRootElement(CNFormLoadContext& context);

  CNProjectLocation m_location;
};
